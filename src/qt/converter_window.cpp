#include "qt/converter_window.h"

#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QUrl>

#include "app/placement.h"
#include "qt/graph_window.h"
#include "qt/window_style.h"

namespace walkconv::qt {

namespace {

template <typename T>
T* Child(QWidget* window, const char* name) {
    return window->findChild<T*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

}  // namespace

ConverterWindow::ConverterWindow(const app::Direction& direction, app::Host* host)
    : converter_(direction), host_(host, [this] { Render(); }) {
    host_.SetOwn(std::make_unique<QtHost>(this));
    BuildWindow(this, direction.window);
    text1_ = Child<QLineEdit>(this, "Text1");
    text2_ = Child<QLineEdit>(this, "Text2");
    label2_ = Child<QLabel>(this, "Label2");
    command3_ = Child<QPushButton>(this, "Command3");
    command4_ = Child<QPushButton>(this, "Command4");
    text1_->setFocus();

    connect(text1_, &QLineEdit::textChanged, this,
            [this](const QString& text) { converter_.TypeInputPath(FromQt(text)); });
    if (text2_ != nullptr) {
        connect(text2_, &QLineEdit::textChanged, this,
                [this](const QString& text) { converter_.TypeModelName(FromQt(text)); });
    }
    const auto forward = [this](const char* button, auto event) {
        connect(Child<QPushButton>(this, button), &QPushButton::clicked, this, [this, event] {
            event();
            Render();
        });
    };
    forward("Command1", [this] { converter_.Analyse(host_); });
    forward("Command2", [this] { converter_.Browse(host_); });
    forward("Command3", [this] { converter_.Convert(host_); });
    connect(command4_, &QPushButton::clicked, this, &ConverterWindow::ShowGraph);

    // Unsaved edits reach the journal at most a second after they were made.
    journalTimer_ = new QTimer(this);
    journalTimer_->setInterval(1000);
    connect(journalTimer_, &QTimer::timeout, this, [this] { converter_.FlushJournal(); });
    journalTimer_->start();

    setAcceptDrops(true);
    for (QLineEdit* box : findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly)) {
        box->installEventFilter(this);
    }
    Render();
}

ConverterWindow::~ConverterWindow() = default;

void ConverterWindow::Open(const QString& path) {
    converter_.Open(FromQt(path), host_);
    Render();
}

void ConverterWindow::Restore(const app::Journal& journal) {
    converter_.Restore(journal, host_);
    Render();
}

void ConverterWindow::closeEvent(QCloseEvent* event) {
    if (!converter_.Close(host_)) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void ConverterWindow::ShowGraph() {
    converter_.ShowGraph();
    Render();
    if (graphWindow_ != nullptr && graphWindow_->isVisible()) {
        graphWindow_->raise();
        graphWindow_->activateWindow();
    }
}

void ConverterWindow::Render() {
    const app::ConverterView& view = converter_.View();
    if (text1_->text() != ToQt(view.text1)) {
        text1_->setText(ToQt(view.text1));
    }
    label2_->setText(ToQt(view.label2));
    if (text2_ != nullptr) {
        text2_->setEnabled(view.text2Enabled);
        if (text2_->text() != ToQt(view.text2)) {
            text2_->setText(ToQt(view.text2));
        }
    }
    command3_->setEnabled(view.command3Enabled);
    command4_->setEnabled(view.command4Enabled);

    if (view.graphShown && converter_.Graph().Content() != nullptr) {
        if (graphWindow_ == nullptr) {
            graphWindow_ = std::make_unique<GraphWindow>(converter_.Graph(), host_.Given());
            graphWindow_->onClose = [this] {
                const bool closes = converter_.CloseGraph(graphWindow_->WindowHost());
                Render();
                return closes;
            };
            graphWindow_->onChanged = [this] {
                converter_.FollowGraph(host_);
                Render();
            };
            const QScreen* screen =
                this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
            if (screen != nullptr) {
                const app::ScreenPosition place = app::PlaceBeside(
                    ToScreenRect(frameGeometry()), graphWindow_->frameGeometry().width(),
                    graphWindow_->frameGeometry().height(),
                    ToScreenRect(screen->availableGeometry()));
                graphWindow_->move(place.x, place.y);
            }
        }
        graphWindow_->Render();
        if (!graphWindow_->isVisible()) {
            graphWindow_->show();
        }
    } else if (graphWindow_ != nullptr && graphWindow_->isVisible()) {
        graphWindow_->hide();
    }
}

std::vector<std::string> ConverterWindow::DroppedFiles(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().isEmpty()) {
        return {};
    }
    // Only the first counts; something that is no local file is no file to open.
    const QUrl first = data->urls().constFirst();
    if (!first.isLocalFile()) {
        return {};
    }
    return {FromQt(QDir::toNativeSeparators(first.toLocalFile()))};
}

void ConverterWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (app::Converter::TakesDrop(DroppedFiles(event->mimeData()))) {
        event->acceptProposedAction();
    }
}

void ConverterWindow::dragMoveEvent(QDragMoveEvent* event) {
    if (app::Converter::TakesDrop(DroppedFiles(event->mimeData()))) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void ConverterWindow::dropEvent(QDropEvent* event) {
    const std::vector<std::string> files = DroppedFiles(event->mimeData());
    if (!app::Converter::TakesDrop(files)) {
        return;
    }
    event->acceptProposedAction();
    converter_.Drop(files, host_);
    Render();
}

bool ConverterWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            if (!app::Converter::TakesDrop(DroppedFiles(drop->mimeData()))) {
                break;  // text and the like: the text box takes it as before
            }
            if (event->type() == QEvent::DragEnter) {
                dragEnterEvent(static_cast<QDragEnterEvent*>(event));
            } else if (event->type() == QEvent::DragMove) {
                dragMoveEvent(static_cast<QDragMoveEvent*>(event));
            } else {
                dropEvent(drop);
            }
            return true;
        }
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace walkconv::qt
