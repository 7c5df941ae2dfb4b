#include "gui/graph_window.h"

#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QHBoxLayout>
#include <QImage>
#include <QImageWriter>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSaveFile>
#include <QSplitter>
#include <QVBoxLayout>
#include <filesystem>
#include <utility>

#include "core/conversion_error.h"
#include "core/drawing/svg_writer.h"
#include "core/file_names.h"
#include "core/text_file.h"
#include "core/walk/walk_reader.h"
#include "gui/graph_scene.h"
#include "gui/graph_view.h"
#include "gui/last_folder.h"
#include "gui/ui_services.h"
#include "gui/window_style.h"

namespace walkconv::ui {

namespace {

constexpr int kInitialWidth = 800;
constexpr int kInitialHeight = 600;
constexpr int kListWidth = 240;

// The key of the graph windows' last folder among the settings.
const QString kWindowKind = QStringLiteral("GraphWindow");

QString FindingText(const Finding& finding) {
    const char* severity = finding.severity == FindingSeverity::Warning ? "warning" : "note";
    return QString::fromLatin1(severity) + QStringLiteral(": ") +
           QString::fromStdString(finding.message);
}

// The name the save dialog proposes: the picture's usual name, as PNG.
QString ProposedPngName(const std::string& model) {
    return QString::fromStdString(
        std::filesystem::path(ProposedGraphName(model)).replace_extension(".png").string());
}

}  // namespace

std::shared_ptr<const GraphContent> MakeGraphContent(const ConversionState& state,
                                                     const AnalysisDetails& details,
                                                     const WalkSourceFacts* walkFacts) {
    auto content = std::make_shared<GraphContent>();
    content->model = state.ModelName;
    content->findings = CollectFindings(state, details, walkFacts);
    content->drawing = DrawGraph(state, content->findings);
    return content;
}

GraphWindow::GraphWindow()
    : scene_(new QGraphicsScene(this)),
      view_(new GraphView(scene_)),
      findingList_(new QListWidget),
      savePicture_(new QPushButton(QStringLiteral("Save picture\u2026"))),
      items_(std::make_unique<SceneItems>()) {
    setObjectName(QStringLiteral("GraphWindow"));
    setWindowIcon(ProgramIcon());
    // The program ends when its converter window closes, even with the graph window open.
    setAttribute(Qt::WA_QuitOnClose, false);
    view_->setObjectName(QStringLiteral("GraphView"));
    findingList_->setObjectName(QStringLiteral("FindingList"));
    findingList_->setWordWrap(true);
    findingList_->setSpacing(2);
    findingList_->setAlternatingRowColors(true);
    savePicture_->setObjectName(QStringLiteral("SavePicture"));
    savePicture_->setAutoDefault(false);
    savePicture_->setShortcut(QKeySequence::Save);

    auto* side = new QWidget;
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    auto* findingsLabel = new QLabel(QStringLiteral("Findings:"));
    findingsLabel->setObjectName(QStringLiteral("FindingsLabel"));
    sideLayout->addWidget(findingsLabel);
    sideLayout->addWidget(findingList_, 1);
    sideLayout->addWidget(savePicture_);

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(view_);
    splitter->addWidget(side);
    splitter->setStretchFactor(0, 1);
    splitter->setSizes({kInitialWidth - kListWidth, kListWidth});
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(splitter);

    resize(kInitialWidth, kInitialHeight);

    connect(findingList_, &QListWidget::currentRowChanged, this, &GraphWindow::ShowFinding);
    connect(savePicture_, &QPushButton::clicked, this, &GraphWindow::SavePicture);
}

GraphWindow::~GraphWindow() = default;

void GraphWindow::ShowContent(std::shared_ptr<const GraphContent> content) {
    if (content == content_ || content == nullptr) {
        return;
    }
    content_ = std::move(content);
    setWindowTitle(QString::fromStdString(content_->model) + QStringLiteral(" - graph"));

    findingList_->clear();  // before the items it would select go
    *items_ = PaintDrawing(*scene_, content_->drawing);
    view_->SetPicture(items_->picture);

    for (const Finding& finding : content_->findings) {
        auto* row = new QListWidgetItem(FindingText(finding), findingList_);
        row->setToolTip(row->text());
    }
    if (content_->findings.empty()) {
        auto* none = new QListWidgetItem(QStringLiteral("No findings"), findingList_);
        none->setFlags(Qt::NoItemFlags);
    }
}

void GraphWindow::ShowFinding(int row) {
    scene_->clearSelection();
    if (content_ == nullptr || row < 0 ||
        static_cast<std::size_t>(row) >= content_->findings.size()) {
        return;
    }
    const Finding& finding = content_->findings[static_cast<std::size_t>(row)];
    QRectF area;
    const auto select = [&](const std::vector<QGraphicsItem*>& items) {
        for (QGraphicsItem* item : items) {
            item->setSelected(true);
            area |= item->sceneBoundingRect();
        }
    };
    for (const int point : finding.points) {
        if (point >= 0 && static_cast<std::size_t>(point) < items_->points.size()) {
            select(items_->points[static_cast<std::size_t>(point)]);
        }
    }
    if (finding.link && *finding.link >= 0 &&
        static_cast<std::size_t>(*finding.link) < items_->links.size()) {
        select(items_->links[static_cast<std::size_t>(*finding.link)]);
    }
    if (!area.isEmpty()) {
        view_->ensureVisible(area);
    }
}

void GraphWindow::SavePicture() {
    if (content_ == nullptr) {
        return;
    }
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.fileName = ProposedPngName(content_->model);
    request.filters = {{QStringLiteral("PNG image (*.png)"), QStringLiteral("*.png")},
                       {QStringLiteral("SVG picture (*.svg)"), QStringLiteral("*.svg")}};
    request.folder = LastFolder(kWindowKind);
    request.addTypeEnding = true;
    const std::optional<QString> chosen = CurrentUi().ShowFileDialog(this, request);
    if (!chosen) {
        return;
    }
    RememberFolder(kWindowKind, *chosen);

    // The name's ending decides: ".svg" writes the SVG, anything else a PNG.
    QString failure;
    if (chosen->endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        try {
            WriteGraphSvg(PathFromUtf8(chosen->toStdString()), content_->drawing);
        } catch (const ConversionError& error) {
            failure = QString::fromStdString(error.what());
        }
    } else {
        failure = WritePng(*chosen);
    }
    if (!failure.isEmpty()) {
        CurrentUi().ShowMessage(this, QStringLiteral("The picture could not be saved: ") + failure);
    }
}

QString GraphWindow::WritePng(const QString& path) {
    QImage image(size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        // The whole picture as the SVG has it, without the highlight of a selected finding.
        const QList<QGraphicsItem*> selected = scene_->selectedItems();
        scene_->clearSelection();
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        const QSizeF fitted =
            items_->picture.size().scaled(QSizeF(image.size()), Qt::KeepAspectRatio);
        const QRectF target(
            QPointF((image.width() - fitted.width()) / 2, (image.height() - fitted.height()) / 2),
            fitted);
        scene_->render(&painter, target, items_->picture, Qt::KeepAspectRatio);
        for (QGraphicsItem* item : selected) {
            item->setSelected(true);
        }
    }

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return file.errorString();
    }
    QImageWriter writer(&file, "png");
    if (!writer.write(image)) {
        file.cancelWriting();
        return writer.errorString();
    }
    if (!file.commit()) {
        return file.errorString();
    }
    return {};
}

}  // namespace walkconv::ui
