#include "gui/converter_window.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

#include "core/conversion_error.h"
#include "core/messages.h"
#include "core/text_file.h"
#include "gui/common_dialog.h"
#include "gui/graph_window.h"
#include "gui/ui_services.h"

namespace walkconv::ui {

namespace {

constexpr int kConverterWidthTwips = 6285;

// The flag that hides the open dialog's read-only check box.
constexpr int kHideReadOnly = 4;

template <typename T>
T* Child(QWidget* window, const char* name) {
    T* child = window->findChild<T*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
    Q_ASSERT(child != nullptr);
    return child;
}

}  // namespace

ConverterWindow::ConverterWindow(const QString& caption, int heightTwips,
                                 std::span<const ControlSpec> controls, const QString& openFilter,
                                 const QString& saveFilter) {
    ApplyWindowStyle(this, caption, kConverterWidthTwips, heightTwips);
    BuildControls(this, controls);
    Text1 = Child<QLineEdit>(this, "Text1");
    Command1 = Child<QPushButton>(this, "Command1");
    Command2 = Child<QPushButton>(this, "Command2");
    Command3 = Child<QPushButton>(this, "Command3");
    Command4 = Child<QPushButton>(this, "Command4");
    Label1 = Child<QLabel>(this, "Label1");
    Label2 = Child<QLabel>(this, "Label2");
    CommonDialog1 = new CommonDialog(QStringLiteral("CommonDialog1"), this);
    CommonDialog2 = new CommonDialog(QStringLiteral("CommonDialog2"), this);
    Text1->setFocus();

    // The load step: empty fields, nothing to convert yet, the dialogs' file types.
    Text1->clear();
    Label2->clear();
    Command3->setEnabled(false);
    Command4->setEnabled(false);
    CommonDialog1->Filter = openFilter;
    CommonDialog2->Filter = saveFilter;
    CommonDialog1->Flags = kHideReadOnly;

    connect(Command4, &QPushButton::clicked, this, &ConverterWindow::ShowGraph);
    setAcceptDrops(true);
    for (QLineEdit* box : findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly)) {
        box->installEventFilter(this);
    }
}

ConverterWindow::~ConverterWindow() = default;

void ConverterWindow::OpenInput(const QString& path) {
    Text1->setText(path);
    Command1->click();
}

void ConverterWindow::Browse() {
    CommonDialog1->ShowOpen();
    Text1->setText(CommonDialog1->FileName);
    Label2->clear();
    SetReady(false);
}

void ConverterWindow::ShowAnalysis(AnalysisOutcome outcome, const char* notValidText,
                                   const WalkSourceFacts* walkFacts) {
    switch (outcome) {
        case AnalysisOutcome::Valid:
            Label2->setText(QString::fromStdString(AnalysisSummary(state_)));
            graph_ = MakeGraphContent(state_, details_, walkFacts);
            SetReady(true);
            if (graphWindow_ != nullptr && graphWindow_->isVisible()) {
                graphWindow_->ShowContent(graph_);
            }
            return;
        case AnalysisOutcome::NotValid:
            Label2->setText(QString::fromLatin1(notValidText));
            SetReady(false);
            return;
        case AnalysisOutcome::NothingDone:
            // No input to read: nothing is shown, and nothing may be converted.
            Label2->clear();
            SetReady(false);
            return;
        case AnalysisOutcome::Failed:
            Label2->clear();
            SetReady(false);
            CurrentUi().ShowMessage(this, QString::fromLatin1(kInputCorruptedMessage));
            return;
    }
}

void ConverterWindow::Convert(std::string_view suffix, Writer write) {
    try {
        CommonDialog2->CancelError = true;
        CommonDialog2->FileName = QString::fromStdString(state_.ModelName) +
                                  QString::fromUtf8(suffix.data(), qsizetype(suffix.size()));
        CommonDialog2->ShowSave();
        write(PathFromUtf8(CommonDialog2->FileName.toStdString()), state_);
        CurrentUi().ShowMessage(this, QString::fromLatin1(kConvertedMessage));
        ConversionDone();
    } catch (const ConversionError&) {
        // Cancelled, or the file could not be written (an existing one stays as it was): the
        // command ends silently and the user may try again.
    }
}

void ConverterWindow::SetReady(bool ready) {
    Command3->setEnabled(ready);
    Command4->setEnabled(ready);
    if (!ready) {
        // The graph window shows only a valid analysis: with the result area cleared or
        // refused there is none, so it closes (to open again with the next valid one).
        graph_.reset();
        if (graphWindow_ != nullptr) {
            graphWindow_->close();
        }
    }
}

void ConverterWindow::ConversionDone() {
    Command3->setEnabled(false);
}

void ConverterWindow::ShowGraph() {
    if (graph_ == nullptr) {
        return;
    }
    if (graphWindow_ == nullptr) {
        graphWindow_ = std::make_unique<GraphWindow>();
        const QScreen* screen =
            this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
        if (screen != nullptr) {
            graphWindow_->move(PlaceBeside(frameGeometry(), graphWindow_->frameGeometry().size(),
                                           screen->availableGeometry()));
        }
    }
    graphWindow_->ShowContent(graph_);
    graphWindow_->show();
    graphWindow_->raise();
    graphWindow_->activateWindow();
}

std::optional<QString> ConverterWindow::DroppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().isEmpty()) {
        return std::nullopt;
    }
    const QUrl first = data->urls().constFirst();
    if (!first.isLocalFile() || QFileInfo(first.toLocalFile()).isDir()) {
        return std::nullopt;
    }
    return QDir::toNativeSeparators(first.toLocalFile());
}

void ConverterWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (DroppedFile(event->mimeData())) {
        event->acceptProposedAction();
    }
}

void ConverterWindow::dragMoveEvent(QDragMoveEvent* event) {
    if (DroppedFile(event->mimeData())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void ConverterWindow::dropEvent(QDropEvent* event) {
    const std::optional<QString> file = DroppedFile(event->mimeData());
    if (!file) {
        return;
    }
    event->acceptProposedAction();
    OpenInput(*file);
}

bool ConverterWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            if (!DroppedFile(drop->mimeData())) {
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

}  // namespace walkconv::ui
