#include "qt/graph_window.h"

#include <QBuffer>
#include <QByteArray>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QImage>
#include <QImageWriter>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>
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

}  // namespace

GraphWindow::GraphWindow()
    : host_(this),
      view_(new GraphView(behaviour_)),
      findingList_(new QListWidget),
      savePicture_(new QPushButton(ToQt(app::kSavePictureCaption))) {
    setObjectName(ToQt(app::GraphWindowBehaviour::kWindowKind));
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
    auto* findingsLabel = new QLabel(ToQt(app::kFindingsCaption));
    findingsLabel->setObjectName(QStringLiteral("FindingsLabel"));
    sideLayout->addWidget(findingsLabel);
    sideLayout->addWidget(findingList_, 1);
    sideLayout->addWidget(savePicture_);

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(view_);
    splitter->addWidget(side);
    splitter->setStretchFactor(0, 1);
    splitter->setSizes({app::kGraphWindowWidth - app::kGraphListWidth, app::kGraphListWidth});
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(splitter);

    resize(app::kGraphWindowWidth, app::kGraphWindowHeight);

    connect(findingList_, &QListWidget::currentRowChanged, this, [this](int row) {
        behaviour_.SelectFinding(row, PictureTextMeasure());
        view_->update();
    });
    connect(savePicture_, &QPushButton::clicked, this, &GraphWindow::SavePicture);
}

GraphWindow::~GraphWindow() = default;

void GraphWindow::ShowContent(std::shared_ptr<const app::GraphContent> content) {
    if (content == nullptr || content.get() == behaviour_.Content()) {
        return;
    }
    findingList_->clear();
    behaviour_.Show(std::move(content));
    setWindowTitle(ToQt(behaviour_.Title()));
    for (const std::string& text : behaviour_.Rows()) {
        auto* row = new QListWidgetItem(ToQt(text), findingList_);
        row->setToolTip(row->text());
        if (!behaviour_.RowsSelectable()) {
            row->setFlags(Qt::NoItemFlags);
        }
    }
    view_->update();
}

void GraphWindow::SavePicture() {
    QtPngEncoder png;
    behaviour_.SavePicture(host_, png, width(), height());
}

void GraphWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (onClosed) {
        onClosed();
    }
}

}  // namespace walkconv::qt
