#include "qt/graph_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>
#include <memory>
#include <optional>
#include <string>

#include "app/graph_controls.h"
#include "app/graph_keys.h"
#include "app/window_tables.h"
#include "qt/graph_view.h"
#include "qt/window_style.h"

namespace walkconv::qt {

GraphWindow::GraphWindow(app::GraphWindowBehaviour& behaviour, app::Host* host)
    : behaviour_(behaviour),
      host_(host, [this] { Render(); }),
      drawer_(this),
      view_(new GraphView(behaviour, drawer_)),
      status_(new QLabel) {
    host_.SetOwn(std::make_unique<QtHost>(this));
    setObjectName(ToQt(app::GraphWindowBehaviour::kWindowKind));
    setWindowIcon(ProgramIcon());
    // The program ends when its converter window closes, even with the graph window open.
    setAttribute(Qt::WA_QuitOnClose, false);
    view_->setObjectName(ToQt(app::kGraphViewName));
    view_->onChanged = [this] { Changed(); };

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(view_);
    splitter->addWidget(BuildSide());
    splitter->setStretchFactor(0, 1);
    splitter->setSizes({app::kGraphWindowWidth - app::kGraphListWidth, app::kGraphListWidth});
    status_->setObjectName(ToQt(app::kStatusLineName));
    status_->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addWidget(status_);

    resize(app::kGraphWindowWidth, app::kGraphWindowHeight);
    // The view first, then the side column in the order of its table.
    QWidget* previous = view_;
    for (QWidget* next : controls_) {
        if (next->focusPolicy() != Qt::NoFocus) {
            QWidget::setTabOrder(previous, next);
            previous = next;
        }
    }
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>()) {
        child->installEventFilter(this);
    }
}

GraphWindow::~GraphWindow() = default;

QWidget* GraphWindow::BuildSide() {
    auto* side = new QWidget;
    auto* column = new QVBoxLayout(side);
    column->setContentsMargins(0, 0, 0, 0);
    const std::span<const app::GraphControl> controls = app::GraphControls();
    controls_.resize(controls.size());
    QGridLayout* grid = nullptr;  // of the rows of a label and its field, one under the other
    for (const app::ControlRow& row : app::GraphControlRows()) {
        for (std::size_t i = row.first; i < row.first + row.count; ++i) {
            controls_[i] = MakeControl(i);
        }
        QWidget* first = controls_[row.first];
        if (row.count == 2 && controls[row.first].kind == app::ControlKind::Label) {
            if (grid == nullptr) {
                grid = new QGridLayout;
                column->addLayout(grid);
            }
            const int at = grid->rowCount();
            grid->addWidget(first, at, 0);
            grid->addWidget(controls_[row.first + 1], at, 1);
            continue;
        }
        grid = nullptr;
        if (row.count == 1) {
            // The findings list takes the height that is left.
            column->addWidget(first, controls[row.first].kind == app::ControlKind::List ? 1 : 0);
            continue;
        }
        auto* line = new QHBoxLayout;
        column->addLayout(line);
        for (std::size_t i = row.first; i < row.first + row.count; ++i) {
            line->addWidget(controls_[i]);
        }
    }
    return side;
}

QWidget* GraphWindow::MakeControl(std::size_t index) {
    const app::GraphControl& control = app::GraphControls()[index];
    const app::GraphCommand command = control.command;
    QWidget* widget = nullptr;
    switch (control.kind) {
        case app::ControlKind::Label: {
            auto* label = new QLabel(ToQt(control.caption));
            label->setWordWrap(true);
            widget = label;
            break;
        }
        case app::ControlKind::TextBox: {
            auto* field = new QLineEdit;
            connect(field, &QLineEdit::returnPressed, this, [this, field, command] {
                const std::string text = FromQt(field->text());
                Run(command, {text});
            });
            widget = field;
            break;
        }
        case app::ControlKind::List: {
            auto* list = new QListWidget;
            list->setWordWrap(true);
            list->setSpacing(2);
            list->setAlternatingRowColors(true);
            connect(list, &QListWidget::currentRowChanged, this, [this, command](int row) {
                if (!rendering_) {
                    Run(command, {{}, row});
                }
            });
            widget = list;
            break;
        }
        case app::ControlKind::CheckBox: {
            // Its state is the behaviour's: a click runs the command, Render shows the state.
            auto* box = new QCheckBox(ToQt(control.caption));
            connect(box, &QCheckBox::clicked, this, [this, command] { Run(command); });
            widget = box;
            break;
        }
        case app::ControlKind::Button:
        case app::ControlKind::OptionButton: {
            auto* button = new QPushButton(ToQt(control.caption));
            button->setAutoDefault(false);
            button->setToolTip(ToQt(app::ShortcutText(command)));
            connect(button, &QPushButton::clicked, this, [this, command] { Run(command); });
            widget = button;
            break;
        }
    }
    widget->setObjectName(ToQt(control.name));
    return widget;
}

void GraphWindow::Run(app::GraphCommand command, const app::CommandInput& input) {
    if (command == app::GraphCommand::GoTo) {
        auto* number = static_cast<QLineEdit*>(
            controls_[*app::GraphControlIndex(app::GraphCommand::EnterNumber)]);
        number->setFocus(Qt::ShortcutFocusReason);
        number->selectAll();
        return;
    }
    behaviour_.Run(command, host_, drawer_, input);
    Changed();
}

void GraphWindow::Changed() {
    Render();
    if (onChanged) {
        onChanged();
    }
}

void GraphWindow::Render() {
    rendering_ = true;
    const app::GraphWindowView view = behaviour_.WindowView();
    setWindowTitle(ToQt(view.title));
    const std::span<const app::GraphControl> controls = app::GraphControls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const app::ControlView& shown = view.controls[i];
        controls_[i]->setEnabled(shown.enabled);
        // Labels, fields and buttons alike hold their text in the property "text".
        if (controls[i].kind == app::ControlKind::List) {
            RenderList(static_cast<QListWidget*>(controls_[i]), view);
        } else if (controls[i].kind == app::ControlKind::CheckBox) {
            static_cast<QCheckBox*>(controls_[i])->setChecked(shown.checked);
        } else {
            controls_[i]->setProperty("text", ToQt(shown.text));
        }
    }
    status_->setText(ToQt(view.status));
    rendering_ = false;
    view_->update();
}

void GraphWindow::RenderList(QListWidget* list, const app::GraphWindowView& view) {
    // The rows, made anew when they changed.
    QStringList rows;
    for (const std::string& row : view.rows) {
        rows << ToQt(row);
    }
    QStringList shown;
    for (int i = 0; i < list->count(); ++i) {
        shown << list->item(i)->text();
    }
    if (rows != shown || list->count() == 0) {
        list->clear();
        for (const QString& text : rows) {
            auto* row = new QListWidgetItem(text, list);
            row->setToolTip(text);
        }
    }
    list->setCurrentRow(view.selectedRow);
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
        const app::KeyCodes codes{Qt::Key_Insert, Qt::Key_Delete, Qt::Key_Left,
                                  Qt::Key_Right,  Qt::Key_Up,     Qt::Key_Down};
        const app::KeyPress press{
            app::KeyOfCode(key->key(), codes), (key->modifiers() & Qt::ControlModifier) != 0,
            (key->modifiers() & Qt::ShiftModifier) != 0, focusWidget() == view_};
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
