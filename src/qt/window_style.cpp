#include "gui/window_style.h"

#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRect>
#include <QScreen>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QWidget>
#include <algorithm>

namespace walkconv::ui {

const QIcon& ProgramIcon() {
    static const QIcon icon = [] {
        QIcon i;
        i.addFile(QStringLiteral(":/icons/walk-converter-32.png"));
        i.addFile(QStringLiteral(":/icons/walk-converter-256.png"));
        return i;
    }();
    return icon;
}

void ApplyWindowStyle(QWidget* window, const QString& caption, int widthTwips, int heightTwips) {
    window->setWindowTitle(caption);
    window->setWindowIcon(ProgramIcon());
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    window->setFixedSize(TwipsToPixels(widthTwips), TwipsToPixels(heightTwips));

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), window->size());
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
    }
}

QPoint PlaceBeside(const QRect& anchor, const QSize& size, const QRect& screen) {
    constexpr int kGap = 8;
    const int lowestTop = std::max(screen.top(), screen.bottom() + 1 - size.height());
    const int top = std::clamp(anchor.top(), screen.top(), lowestTop);
    const int right = anchor.right() + 1 + kGap;
    if (right + size.width() <= screen.right() + 1) {
        return {right, top};
    }
    const int left = anchor.left() - kGap - size.width();
    if (left >= screen.left()) {
        return {left, top};
    }
    return {std::max(screen.left(), screen.right() + 1 - size.width()), top};
}

namespace {

// An option button whose caption wraps onto further lines when it is wider than the button,
// as long captions do in narrow option buttons, instead of being cut off.
class WrappingOptionButton : public QRadioButton {
  public:
    using QRadioButton::QRadioButton;

  protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        option.text.clear();
        painter.drawControl(QStyle::CE_RadioButton, option);

        const QRect indicator =
            style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, this);
        const int gap = style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, &option, this);
        const QRect textArea = rect().adjusted(indicator.right() + 1 + gap, 0, 0, 0);
        painter.drawItemText(textArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
                             palette(), isEnabled(), text(), QPalette::WindowText);
        if (hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = painter.boundingRect(
                textArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, text());
            painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
        }
    }

    // The whole button reacts to the mouse, wrapped lines included.
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

QWidget* CreateControl(QWidget* window, const ControlSpec& spec) {
    const QString caption = QString::fromUtf8(spec.caption);
    switch (spec.kind) {
        case ControlKind::TextBox: {
            auto* box = new QLineEdit(caption, window);
            return box;
        }
        case ControlKind::Label: {
            auto* label = new QLabel(caption, window);
            label->setTextFormat(Qt::PlainText);
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            return label;
        }
        case ControlKind::Button: {
            auto* button = new QPushButton(caption, window);
            button->setAutoDefault(false);
            button->setDefault(false);
            return button;
        }
        case ControlKind::OptionButton:
            return new WrappingOptionButton(caption, window);
    }
    return nullptr;
}

}  // namespace

void BuildControls(QWidget* window, std::span<const ControlSpec> specs) {
    QWidget* previous = nullptr;
    for (const ControlSpec& spec : specs) {
        QWidget* control = CreateControl(window, spec);
        control->setObjectName(QString::fromLatin1(spec.name));
        control->setGeometry(TwipsToPixels(spec.left), TwipsToPixels(spec.top),
                             TwipsToPixels(spec.width), TwipsToPixels(spec.height));
        if (control->focusPolicy() != Qt::NoFocus) {
            if (previous != nullptr) {
                QWidget::setTabOrder(previous, control);
            }
            previous = control;
        }
    }
}

}  // namespace walkconv::ui
