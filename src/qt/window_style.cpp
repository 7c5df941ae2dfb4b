#include "qt/window_style.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRect>
#include <QScreen>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QWidget>

namespace walkconv::qt {

using app::ControlKind;
using app::ControlSpec;
using app::TwipsToPixels;

const QIcon& ProgramIcon() {
    static const QIcon icon = [] {
        QIcon i;
        i.addFile(QStringLiteral(":/icons/walk-converter-32.png"));
        i.addFile(QStringLiteral(":/icons/walk-converter-256.png"));
        return i;
    }();
    return icon;
}

QString ToQt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string FromQt(const QString& text) {
    return text.toStdString();
}

app::ScreenRect ToScreenRect(const QRect& rect) {
    return {rect.left(), rect.top(), rect.width(), rect.height()};
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
    const QString caption = ToQt(spec.caption);
    switch (spec.kind) {
        case ControlKind::TextBox:
            return new QLineEdit(caption, window);
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
        case ControlKind::List:
            return new QListWidget(window);
        case ControlKind::CheckBox:
            return new QCheckBox(caption, window);
    }
    return nullptr;
}

}  // namespace

void BuildWindow(QWidget* window, const app::WindowSpec& spec) {
    window->setObjectName(ToQt(spec.name));
    window->setWindowTitle(ToQt(spec.caption));
    window->setWindowIcon(ProgramIcon());
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    const int width = TwipsToPixels(spec.widthTwips);
    const int height = TwipsToPixels(spec.heightTwips);
    window->setFixedSize(width, height);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const app::ScreenPosition centred =
            app::CentreOn(ToScreenRect(screen->availableGeometry()), width, height);
        window->move(centred.x, centred.y);
    }

    QWidget* previous = nullptr;
    for (const ControlSpec& control : spec.controls) {
        QWidget* widget = CreateControl(window, control);
        widget->setObjectName(ToQt(control.name));
        widget->setGeometry(TwipsToPixels(control.left), TwipsToPixels(control.top),
                            TwipsToPixels(control.width), TwipsToPixels(control.height));
        if (widget->focusPolicy() != Qt::NoFocus) {
            if (previous != nullptr) {
                QWidget::setTabOrder(previous, widget);
            }
            previous = widget;
        }
    }
}

}  // namespace walkconv::qt
