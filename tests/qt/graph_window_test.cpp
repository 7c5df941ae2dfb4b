#include <QApplication>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QHelpEvent>
#include <QImage>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTest>
#include <QToolTip>
#include <QWheelEvent>
#include <memory>
#include <set>
#include <utility>

#include "core/drawing/svg_writer.h"
#include "core/platform/system_file.h"
#include "gui/graph_scene.h"
#include "gui/graph_view.h"
#include "gui/graph_window.h"
#include "gui/window_style.h"
#include "support/analysed_graph.h"
#include "support/output_faults.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

using walkconv::DrawnLink;
using walkconv::DrawnPoint;
using walkconv::Finding;
using walkconv::GraphDrawing;
using walkconv::kSideView;
using walkconv::kTopView;
using walkconv::ScopedStorageFaults;
using walkconv::Spot;
using walkconv::StorageFaults;
using walkconv::testing::Analysed;
using walkconv::testing::FolderListing;
using walkconv::testing::ScriptedUi;
using walkconv::testing::TempDir;
using walkconv::ui::FileDialogRequest;
using walkconv::ui::GraphContent;
using walkconv::ui::GraphView;
using walkconv::ui::GraphWindow;
using walkconv::ui::kItemKindKey;
using walkconv::ui::kItemNumberKey;
using walkconv::ui::MakeGraphContent;
using walkconv::ui::PlaceBeside;

namespace {

// Four points, one touched by no link; a plain link, a self-link, a link to a point beyond
// the count, the first link again, and one between two points that do not exist.
std::shared_ptr<const GraphContent> SmallGraph(const std::string& model = "ship") {
    auto graph = Analysed({{0, 0, 0, 1}, {2, 1, 10, 1}, {-1, 3, 4, 2}, {1, 2, 7, 3}},
                          {{0, 1}, {1, 2}, {2, 2}, {1, 9}, {0, 1}, {7, 8}});
    graph.state.ModelName = model;
    return MakeGraphContent(graph.state, graph.details, nullptr);
}

QString Str(const std::string& text) {
    return QString::fromStdString(text);
}

QPointF At(Spot spot) {
    return {spot.x, spot.y};
}

// What the window shows as selected: ("point" or "link", number) of each selected item.
std::set<std::pair<QString, int>> Selected(QGraphicsScene* scene) {
    std::set<std::pair<QString, int>> selected;
    for (const QGraphicsItem* item : scene->selectedItems()) {
        selected.insert({item->data(kItemKindKey).toString(), item->data(kItemNumberKey).toInt()});
    }
    return selected;
}

int CloseTo(QRgb pixel, QColor wanted) {
    return std::abs(qRed(pixel) - wanted.red()) <= 2 &&
           std::abs(qGreen(pixel) - wanted.green()) <= 2 &&
           std::abs(qBlue(pixel) - wanted.blue()) <= 2;
}

}  // namespace

class GraphWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<ScriptedUi> ui_;
    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<TempDir> settings_;
    std::unique_ptr<GraphWindow> window_;
    std::shared_ptr<const GraphContent> content_;

    GraphView* View() { return window_->findChild<GraphView*>("GraphView"); }
    QListWidget* List() { return window_->findChild<QListWidget*>("FindingList"); }
    QPushButton* Save() { return window_->findChild<QPushButton*>("SavePicture"); }
    const GraphDrawing& Drawing() { return content_->drawing; }

    // The tool tip that hovering the picture's place `spot` shows.
    QString HoverText(Spot spot) {
        QWidget* viewport = View()->viewport();
        const QPoint pos = View()->mapFromScene(At(spot));
        QHelpEvent hover(QEvent::ToolTip, pos, viewport->mapToGlobal(pos));
        QApplication::sendEvent(viewport, &hover);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }

    void Wheel(QPointF pos, int eighths) {
        QWidget* viewport = View()->viewport();
        QWheelEvent wheel(pos, viewport->mapToGlobal(pos), QPoint(), QPoint(0, eighths),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &wheel);
    }

    std::filesystem::path SaveAs(const QString& name) {
        const auto target = dir_->path() / name.toStdString();
        ui_->fileAnswers.push_back(QString::fromStdString(target.string()));
        QTest::mouseClick(Save(), Qt::LeftButton);
        return target;
    }

  private slots:
    void init() {
        ui_ = std::make_unique<ScriptedUi>();
        dir_ = std::make_unique<TempDir>();
        settings_ = std::make_unique<TempDir>();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(settings_->path().string()));
        content_ = SmallGraph();
        window_ = std::make_unique<GraphWindow>();
        window_->ShowContent(content_);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    void cleanup() {
        QCOMPARE(ui_->unexpectedDialogs, 0);
        window_.reset();
        ui_.reset();
        dir_.reset();
        settings_.reset();
    }

    void window_isAResizableWindowTitledWithTheModel() {
        QCOMPARE(window_->windowTitle(), QString("ship - graph"));
        QCOMPARE(window_->size(), QSize(800, 600));
        QVERIFY(window_->minimumSize() != window_->maximumSize());
        QVERIFY(window_->windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(window_->windowFlags() & Qt::WindowMaximizeButtonHint);
        QVERIFY(!window_->windowIcon().isNull());
        QCOMPARE(Save()->text(), QString::fromUtf8("Save picture\u2026"));
        // The whole picture is in view.
        const QRect shown =
            View()->mapFromScene(QRectF(0, 0, Drawing().width, Drawing().height)).boundingRect();
        QVERIFY(View()->viewport()->rect().adjusted(-2, -2, 2, 2).contains(shown));
    }

    void hover_showsTheTitleOfWhatIsUnderTheMouse_data() {
        QTest::addColumn<int>("kind");  // 0 point, 1 link, 2 nothing
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("view");
        QTest::addColumn<QPointF>("offset");  // from the item's place, in picture units
        QTest::newRow("point 1, top view") << 0 << 1 << int(kTopView) << QPointF(0, 0);
        QTest::newRow("point 2, side view") << 0 << 2 << int(kSideView) << QPointF(1, 1);
        QTest::newRow("untouched point 3 (hollow ring)") << 0 << 3 << int(kTopView) << QPointF();
        QTest::newRow("link 1 half way") << 1 << 1 << int(kTopView) << QPointF();
        QTest::newRow("self-link ring below its point")
            << 1 << 2 << int(kSideView) << QPointF(0, 6);
        QTest::newRow("link beyond the points, its stub") << 1 << 3 << int(kTopView) << QPointF();
        QTest::newRow("link between missing points, listed") << 1 << 5 << 0 << QPointF(10, -4);
        QTest::newRow("empty page") << 2 << 0 << 0 << QPointF();
    }
    void hover_showsTheTitleOfWhatIsUnderTheMouse() {
        QFETCH(int, kind);
        QFETCH(int, number);
        QFETCH(int, view);
        QFETCH(QPointF, offset);
        // Zoomed out at one place and in at another: the view's transform is no longer the
        // fitted one, and the places are mapped through it.
        Wheel(QPointF(100, 80), -120);
        Wheel(QPointF(300, 200), 60);

        const auto v = static_cast<std::size_t>(view);
        Spot spot;
        QString title;
        if (kind == 0) {
            const DrawnPoint& point = Drawing().points[static_cast<std::size_t>(number)];
            spot = point.at[v];
            title = Str(point.title);
        } else if (kind == 1) {
            const DrawnLink& link = Drawing().links[static_cast<std::size_t>(number)];
            spot = link.mark == walkconv::LinkMark::Listed
                       ? link.listedAt
                       : Spot{(link.from[v].x + link.to[v].x) / 2,
                              (link.from[v].y + link.to[v].y) / 2};
            title = Str(link.title);
        } else {
            spot = {Drawing().width - 3, 3};
        }
        spot.x += offset.x();
        spot.y += offset.y();
        QVERIFY(View()->viewport()->rect().contains(View()->mapFromScene(At(spot))));
        QCOMPARE(HoverText(spot), title);
        if (kind == 0) {
            QVERIFY(title.startsWith(QString("point %1: ").arg(number)));
        }
    }

    void wheel_zoomsAtTheCursorAndDoubleClickFits() {
        const double fitted = View()->Zoom();
        const Spot point = Drawing().points[1].at[kSideView];
        const QPointF before = View()->mapFromScene(At(point));
        Wheel(before, 240);
        QVERIFY(View()->Zoom() > fitted * 1.3);
        const QPointF after = View()->mapFromScene(At(point));
        QVERIFY2((after - before).manhattanLength() <= 2,
                 qPrintable(QString("moved from %1,%2 to %3,%4")
                                .arg(before.x())
                                .arg(before.y())
                                .arg(after.x())
                                .arg(after.y())));
        QCOMPARE(HoverText(point), Str(Drawing().points[1].title));

        // Dragging pans: the point follows the mouse.
        QWidget* viewport = View()->viewport();
        const QPoint from = after.toPoint();
        const QPoint to = from + QPoint(-40, 25);
        QMouseEvent press(QEvent::MouseButtonPress, from, viewport->mapToGlobal(from),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &press);
        QMouseEvent move(QEvent::MouseMove, to, viewport->mapToGlobal(to), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, to, viewport->mapToGlobal(to),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &release);
        QVERIFY((View()->mapFromScene(At(point)) - QPointF(to)).manhattanLength() <= 2);

        QTest::mouseDClick(viewport, Qt::LeftButton, {}, to);
        QCOMPARE(View()->Zoom(), fitted);

        // The zoom stays within bounds however far the wheel turns.
        for (int i = 0; i < 100; ++i) {
            Wheel(QPointF(200, 200), 120);
        }
        QVERIFY(View()->Zoom() <= 50);
        for (int i = 0; i < 200; ++i) {
            Wheel(QPointF(200, 200), -120);
        }
        QVERIFY(View()->Zoom() >= 0.02);
    }

    void finding_selectsItsPointsOrLink_data() {
        QTest::addColumn<int>("row");
        const auto graph = SmallGraph();
        const std::vector<Finding>& findings = graph->findings;
        std::set<std::string_view> codes;
        for (std::size_t i = 0; i < findings.size(); ++i) {
            codes.insert(findings[i].code);
            QTest::newRow(QString("%1 %2")
                              .arg(i)
                              .arg(Str(std::string(findings[i].code)))
                              .toUtf8()
                              .constData())
                << int(i);
        }
        // The graph has a finding about a point, one about a link, and one about a link to a
        // point that does not exist.
        QVERIFY(codes.count(walkconv::finding_code::kUntouchedPoint) == 1);
        QVERIFY(codes.count(walkconv::finding_code::kSelfLink) == 1);
        QVERIFY(codes.count(walkconv::finding_code::kLinkBeyondPoints) == 1);
    }
    void finding_selectsItsPointsOrLink() {
        QFETCH(int, row);
        const Finding& finding = content_->findings[static_cast<std::size_t>(row)];
        QCOMPARE(List()->count(), int(content_->findings.size()));
        QCOMPARE(List()->item(row)->text(),
                 QString(finding.severity == walkconv::FindingSeverity::Warning ? "warning: "
                                                                                : "note: ") +
                     Str(finding.message));

        std::set<std::pair<QString, int>> expected;
        for (const int point : finding.points) {
            if (point < 4) {
                expected.insert({"point", point});
            }
        }
        if (finding.link) {
            expected.insert({"link", *finding.link});
        }
        List()->setCurrentRow(row);
        QCOMPARE(Selected(View()->scene()), expected);
        // Each of them in both views (a listed link is one line of text).
        int items = 0;
        for (const auto& [kind, number] : expected) {
            items += kind == "link" && number == 5 ? 1 : 2;
        }
        QCOMPARE(int(View()->scene()->selectedItems().size()), items);

        List()->setCurrentRow(-1);
        QVERIFY(View()->scene()->selectedItems().isEmpty());
    }

    void noFindings_listSaysSoAndSelectsNothing() {
        auto graph = Analysed({{0, 0, 0, 1}, {1, 1, 1, 1}}, {{0, 1}});
        window_->ShowContent(MakeGraphContent(graph.state, graph.details, nullptr));
        QCOMPARE(List()->count(), 1);
        QCOMPARE(List()->item(0)->text(), QString("No findings"));
        QCOMPARE(List()->item(0)->flags(), Qt::NoItemFlags);
    }

    void showContent_newContentReplacesTheOldAndTheSameKeepsTheZoom() {
        Wheel(QPointF(200, 200), 240);
        const double zoomed = View()->Zoom();
        List()->setCurrentRow(0);
        window_->ShowContent(content_);
        QCOMPARE(View()->Zoom(), zoomed);
        QVERIFY(!View()->scene()->selectedItems().isEmpty());

        const auto boat = SmallGraph("boat");
        window_->ShowContent(boat);
        QCOMPARE(window_->windowTitle(), QString("boat - graph"));
        QVERIFY(View()->Zoom() < zoomed);
        QVERIFY(View()->scene()->selectedItems().isEmpty());
        QCOMPARE(List()->count(), int(boat->findings.size()));
    }

    void save_writesPngOrSvgByTheNamesEnding_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("svg");
        QTest::newRow("png") << "picture.png" << false;
        QTest::newRow("svg") << "picture.svg" << true;
        QTest::newRow("svg in capitals") << "PICTURE.SVG" << true;
        QTest::newRow("other ending: png") << "picture.image" << false;
        QTest::newRow("replaces an old file") << "old1.ini" << false;
    }
    void save_writesPngOrSvgByTheNamesEnding() {
        QFETCH(QString, name);
        QFETCH(bool, svg);
        dir_->Write("old1.ini", "old");
        window_->resize(640, 520);
        List()->setCurrentRow(0);  // a highlight is no part of the picture
        const auto target = SaveAs(name);

        QCOMPARE(ui_->fileRequests.size(), std::size_t{1});
        const FileDialogRequest& request = ui_->fileRequests.front();
        QCOMPARE(request.mode, FileDialogRequest::Mode::Save);
        QCOMPARE(request.fileName, QString("ship_graph.png"));
        QCOMPARE(request.filters.size(), 2);
        QCOMPARE(request.filters[0].second, QString("*.png"));
        QCOMPARE(request.filters[1].second, QString("*.svg"));
        QVERIFY(request.addTypeEnding);
        QVERIFY(ui_->messages.isEmpty());

        if (svg) {
            QCOMPARE(TempDir::Read(target), walkconv::FormatGraphSvg(Drawing()));
            return;
        }
        QImage image;
        QVERIFY(image.load(QString::fromStdString(target.string()), "PNG"));
        QCOMPARE(image.size(), QSize(640, 520));
        // The colour of every dot is there.
        for (const DrawnPoint& point : Drawing().points) {
            if (point.mark != walkconv::PointMark::Dot) {
                continue;
            }
            const QColor color(point.color.red, point.color.green, point.color.blue);
            bool found = false;
            for (int y = 0; y < image.height() && !found; ++y) {
                for (int x = 0; x < image.width() && !found; ++x) {
                    found = CloseTo(image.pixel(x, y), color);
                }
            }
            QVERIFY2(found, point.title.c_str());
        }
        QVERIFY(!View()->scene()->selectedItems().isEmpty());  // still shown in the window

        // The highlight of the selected finding is no part of the picture.
        List()->setCurrentRow(-1);
        QCOMPARE(QImage(QString::fromStdString(SaveAs("plain.png").string())), image);
    }

    void save_failure_showsWhyAndLeavesTheFolderAsItWas_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("fullDisk");
        QTest::newRow("png into a missing folder") << "missing/picture.png" << false;
        QTest::newRow("png onto a folder") << "taken1.ini" << false;
        QTest::newRow("png below a file") << "old1.ini/picture.png" << false;
        QTest::newRow("svg into a missing folder") << "missing/picture.svg" << false;
        QTest::newRow("svg onto a folder") << "taken.svg" << false;
        QTest::newRow("svg on a full disk") << "old.svg" << true;
    }
    void save_failure_showsWhyAndLeavesTheFolderAsItWas() {
        QFETCH(QString, name);
        QFETCH(bool, fullDisk);
        walkconv::testing::PrepareOutputFaults(*dir_);
        std::filesystem::create_directory(dir_->path() / "taken.svg");
        dir_->Write("old.svg", "<svg/>");
        const auto before = FolderListing(dir_->path());
        {
            const ScopedStorageFaults faults(fullDisk ? StorageFaults{.spaceLeft = 0}
                                                      : StorageFaults{});
            SaveAs(name);
        }
        QCOMPARE(ui_->messages.size(), 1);
        QVERIFY2(ui_->messages.front().startsWith("The picture could not be saved: ") &&
                     ui_->messages.front().size() > 33,
                 qPrintable(ui_->messages.front()));
        QVERIFY(FolderListing(dir_->path()) == before);
    }

    void save_cancelled_writesNothingAndSaysNothing() {
        ui_->fileAnswers.push_back(std::nullopt);
        QTest::mouseClick(Save(), Qt::LeftButton);
        QVERIFY(ui_->messages.isEmpty());
        QVERIFY(std::filesystem::is_empty(dir_->path()));
    }

    void save_opensWhereTheLastPictureWasSaved() {
        QVERIFY(std::filesystem::create_directory(dir_->path() / "pictures"));
        SaveAs("pictures/one.png");
        QCOMPARE(ui_->fileRequests.back().folder, QString());
        // Another graph window, as in a later run, starts there.
        window_ = std::make_unique<GraphWindow>();
        window_->ShowContent(content_);
        SaveAs("two.png");
        QCOMPARE(ui_->fileRequests.back().folder,
                 QString::fromStdString((dir_->path() / "pictures").string()));
    }

    void placeBeside_usesTheSideWithRoom_data() {
        QTest::addColumn<QRect>("anchor");
        QTest::addColumn<QPoint>("expected");
        // An 800 by 600 window on a 1920 by 1080 screen whose top 30 pixels are a panel.
        QTest::newRow("right") << QRect(100, 200, 420, 250) << QPoint(528, 200);
        QTest::newRow("left") << QRect(1000, 100, 420, 250) << QPoint(192, 100);
        QTest::newRow("neither: at the right edge")
            << QRect(700, 100, 520, 250) << QPoint(1120, 100);
        QTest::newRow("low anchor: moved up") << QRect(100, 900, 420, 150) << QPoint(528, 480);
        QTest::newRow("anchor above the screen") << QRect(100, 0, 420, 250) << QPoint(528, 30);
    }
    void placeBeside_usesTheSideWithRoom() {
        QFETCH(QRect, anchor);
        QFETCH(QPoint, expected);
        QCOMPARE(PlaceBeside(anchor, QSize(800, 600), QRect(0, 30, 1920, 1050)), expected);
    }
};

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName("walk-converter-tests");
    QApplication::setApplicationName("graph_window_test");
    GraphWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "graph_window_test.moc"
