#include "qt/graph_window.h"

#include <QBuffer>
#include <QByteArray>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QImageWriter>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>
#include <memory>
#include <optional>
#include <utility>

#include "app/window_tables.h"
#include "qt/graph_view.h"
#include "qt/qt_canvas.h"
#include "qt/window_style.h"

namespace walkconv::qt {

namespace {

// Paints into an image and encodes it as PNG in memory.
class QtPngEncoder : public app::PngEncoder {
  public:
    std::optional<std::string> EncodePng(int width, int height,
                                         const std::function<void(app::Canvas&)>& paint,
                                         std::string& why) override {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            QtCanvas canvas(painter);
            paint(canvas);
        }
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "png");
        if (!writer.write(image)) {
            why = FromQt(writer.errorString());
            return std::nullopt;
        }
        return bytes.toStdString();
    }
};

app::Key KeyOf(int key) {
    switch (key) {
        case Qt::Key_G:
            return app::Key::G;
        case Qt::Key_Z:
            return app::Key::Z;
        case Qt::Key_Y:
            return app::Key::Y;
        case Qt::Key_S:
            return app::Key::S;
        case Qt::Key_E:
            return app::Key::E;
        case Qt::Key_Insert:
            return app::Key::Insert;
        case Qt::Key_Delete:
            return app::Key::Delete;
        default:
            return app::Key::Other;
    }
}

}  // namespace

GraphWindow::GraphWindow(app::GraphWindowBehaviour& behaviour, app::Host* host)
    : behaviour_(behaviour), host_(host, [this] { Render(); }), view_(new GraphView(behaviour)) {
    host_.SetOwn(std::make_unique<QtHost>(this));
    setObjectName(ToQt(app::GraphWindowBehaviour::kWindowKind));
    setWindowIcon(ProgramIcon());
    // The program ends when its converter window closes, even with the graph window open.
    setAttribute(Qt::WA_QuitOnClose, false);
    view_->setObjectName(QStringLiteral("GraphView"));
    view_->onChanged = [this] { Do({}); };

    auto* side = new QWidget;
    BuildSide(side);
    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(view_);
    splitter->addWidget(side);
    splitter->setStretchFactor(0, 1);
    splitter->setSizes({app::kGraphWindowWidth - app::kGraphListWidth, app::kGraphListWidth});
    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("StatusLine"));
    status_->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addWidget(status_);

    resize(app::kGraphWindowWidth, app::kGraphWindowHeight);
    // The view first, then the side column in the order of its table.
    QWidget* previous = view_;
    for (QWidget* next : tabOrder_) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    }
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>()) {
        child->installEventFilter(this);
    }
}

GraphWindow::~GraphWindow() = default;

void GraphWindow::BuildSide(QWidget* side) {
    auto* column = new QVBoxLayout(side);
    column->setContentsMargins(0, 0, 0, 0);
    auto* grid = new QGridLayout;
    column->addLayout(grid);
    QLabel* pendingLabel = nullptr;
    QHBoxLayout* buttonRow = nullptr;
    for (const app::GraphPanelControl& control : app::GraphPanelControls()) {
        const QString name = ToQt(control.name);
        QWidget* widget = nullptr;
        switch (control.kind) {
            case app::ControlKind::Label: {
                auto* label = new QLabel(ToQt(control.caption));
                label->setWordWrap(true);
                widget = label;
                if (control.caption.empty()) {
                    selectionText_ = label;
                    column->addWidget(label);
                } else if (control.name == "FindingsLabel") {
                    column->addWidget(label);
                } else {
                    pendingLabel = label;  // the field that follows goes beside it
                }
                break;
            }
            case app::ControlKind::TextBox: {
                auto* field = new QLineEdit;
                widget = field;
                const int row = grid->rowCount();
                grid->addWidget(pendingLabel, row, 0);
                grid->addWidget(field, row, 1);
                pendingLabel = nullptr;
                if (const app::PanelFieldSpec* which = app::PanelFieldNamed(control.name)) {
                    fields_[which->field] = field;
                    connect(field, &QLineEdit::returnPressed, this,
                            [this, field, f = which->field] {
                                Do([&] { behaviour_.EnterField(f, FromQt(field->text())); });
                            });
                }
                break;
            }
            case app::ControlKind::List: {
                findingList_ = new QListWidget;
                findingList_->setWordWrap(true);
                findingList_->setSpacing(2);
                findingList_->setAlternatingRowColors(true);
                widget = findingList_;
                column->addWidget(findingList_, 1);
                connect(findingList_, &QListWidget::currentRowChanged, this, [this](int row) {
                    if (!rendering_) {
                        Do([&] { behaviour_.SelectFinding(row, PictureTextMeasure()); });
                    }
                });
                break;
            }
            case app::ControlKind::Button:
            case app::ControlKind::OptionButton: {
                auto* button = new QPushButton(ToQt(control.caption));
                button->setAutoDefault(false);
                widget = button;
                buttons_[std::string(control.name)] = button;
                // "Fix" and "Fix all" side by side, the others one under the other.
                if (control.name == "Fix") {
                    buttonRow = new QHBoxLayout;
                    column->addLayout(buttonRow);
                    buttonRow->addWidget(button);
                } else if (control.name == "FixAll" && buttonRow != nullptr) {
                    buttonRow->addWidget(button);
                } else {
                    column->addWidget(button);
                }
                break;
            }
        }
        widget->setObjectName(name);
        if (widget->focusPolicy() != Qt::NoFocus) {
            tabOrder_.push_back(widget);
        }
    }
    const auto on = [this](const char* name, auto event) {
        connect(buttons_.at(name), &QPushButton::clicked, this, [this, event] { Do(event); });
    };
    on("AddPoint", [this] { behaviour_.AddPoint(); });
    on("Fix", [this] { behaviour_.Fix(); });
    on("FixAll", [this] { behaviour_.FixAll(); });
    on("Save", [this] { Run(app::GraphCommand::Save); });
    on("SaveAs", [this] { Run(app::GraphCommand::SaveAs); });
    on("SavePicture", [this] { Run(app::GraphCommand::SavePicture); });
    for (const app::Shortcut& shortcut : app::GraphShortcuts()) {
        const auto name = shortcut.command == app::GraphCommand::Save          ? "Save"
                          : shortcut.command == app::GraphCommand::SaveAs      ? "SaveAs"
                          : shortcut.command == app::GraphCommand::SavePicture ? "SavePicture"
                          : shortcut.command == app::GraphCommand::AddPoint    ? "AddPoint"
                                                                               : "";
        if (buttons_.contains(name)) {
            buttons_.at(name)->setToolTip(ToQt(shortcut.text));
        }
    }
}

void GraphWindow::Do(const std::function<void()>& event) {
    if (event) {
        event();
    }
    Render();
    if (onChanged) {
        onChanged();
    }
}

void GraphWindow::Run(app::GraphCommand command) {
    switch (command) {
        case app::GraphCommand::GoTo:
            fields_.at(app::PanelField::Number)->setFocus(Qt::ShortcutFocusReason);
            fields_.at(app::PanelField::Number)->selectAll();
            return;
        case app::GraphCommand::Undo:
            return Do([this] { behaviour_.Undo(); });
        case app::GraphCommand::Redo:
            return Do([this] { behaviour_.Redo(); });
        case app::GraphCommand::AddPoint:
            return Do([this] { behaviour_.AddPoint(); });
        case app::GraphCommand::Remove:
            return Do([this] { behaviour_.Remove(); });
        case app::GraphCommand::Save:
            return Do([this] { behaviour_.Save(host_); });
        case app::GraphCommand::SaveAs:
            return Do([this] { behaviour_.SaveAs(host_); });
        case app::GraphCommand::SavePicture: {
            QtPngEncoder png;
            behaviour_.SavePicture(host_, png, width(), height());
            return;
        }
    }
}

void GraphWindow::Render() {
    rendering_ = true;
    setWindowTitle(ToQt(behaviour_.Title()));
    const app::GraphEditing& editing = behaviour_.Editing();
    const app::PanelView& panel = editing.Panel();
    for (const app::PanelFieldSpec& field : app::PanelFields()) {
        QLineEdit* box = fields_.at(field.field);
        box->setText(ToQt(panel.*field.text));
        box->setEnabled(!field.pointOnly || panel.pointFields);
    }
    selectionText_->setText(ToQt(panel.selection));
    status_->setText(ToQt(editing.Status()));

    // The rows, made anew when they changed.
    QStringList rows;
    for (const std::string& row : behaviour_.Rows()) {
        rows << ToQt(row);
    }
    QStringList shown;
    for (int i = 0; i < findingList_->count(); ++i) {
        shown << findingList_->item(i)->text();
    }
    if (rows != shown || findingList_->count() == 0) {
        findingList_->clear();
        for (const QString& text : rows) {
            auto* row = new QListWidgetItem(text, findingList_);
            row->setToolTip(text);
            if (!behaviour_.RowsSelectable()) {
                row->setFlags(Qt::NoItemFlags);
            }
        }
    }
    findingList_->setCurrentRow(behaviour_.SelectedFinding());
    buttons_.at("Fix")->setEnabled(behaviour_.CanFix());
    buttons_.at("FixAll")->setEnabled(behaviour_.CanFixAll());
    buttons_.at("AddPoint")->setEnabled(editing.HasDocument());
    rendering_ = false;
    view_->update();
}

void GraphWindow::closeEvent(QCloseEvent* event) {
    if (onClose && !onClose()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

bool GraphWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const app::KeyPress press{KeyOf(key->key()), (key->modifiers() & Qt::ControlModifier) != 0,
                                  (key->modifiers() & Qt::ShiftModifier) != 0,
                                  focusWidget() == view_};
        if (const std::optional<app::GraphCommand> command = app::CommandFor(press)) {
            // Claimed first, so that no line edit takes it for itself; run on the press.
            event->accept();
            if (event->type() == QEvent::KeyPress) {
                Run(*command);
            }
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace walkconv::qt
