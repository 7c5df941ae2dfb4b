// The Qt graph window's wiring: the mouse reaches the behaviour, the findings list selects,
// tool tips show what the mouse finds, and the picture is painted into a real PNG.
#include <QApplication>
#include <QCheckBox>
#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolTip>
#include <QWheelEvent>
#include <memory>

#include "app/graph_controls.h"
#include "core/text_file.h"
#include "qt/graph_view.h"
#include "qt/graph_window.h"
#include "qt_test_support.h"
#include "support/analysed_graph.h"

using walkconv::DrawnPoint;
using walkconv::GraphDrawing;
using walkconv::kTopView;
using walkconv::Spot;
using walkconv::app::GraphContent;
using walkconv::qt::GraphView;
using walkconv::qt::GraphWindow;
using walkconv::testing::Analysed;
using walkconv::testing::ScriptedQtHost;
using walkconv::testing::TempDir;

namespace {

walkconv::GraphDocument SmallGraph() {
    auto graph = Analysed({{0, 0, 0, 1}, {2, 1, 10, 1}, {-1, 3, 4, 2}, {1, 2, 7, 3}},
                          {{0, 1}, {1, 2}, {2, 2}, {1, 9}, {0, 1}, {7, 8}});
    return walkconv::DocumentOf(walkconv::InputKind::Sailorpoints, graph.state, graph.details,
                                nullptr);
}

bool CloseTo(QRgb pixel, walkconv::Rgb wanted) {
    return std::abs(qRed(pixel) - wanted.red) <= 2 && std::abs(qGreen(pixel) - wanted.green) <= 2 &&
           std::abs(qBlue(pixel) - wanted.blue) <= 2;
}

}  // namespace

class GraphWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<ScriptedQtHost> host_;
    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<walkconv::app::GraphWindowBehaviour> behaviour_;
    std::unique_ptr<GraphWindow> window_;
    std::shared_ptr<const GraphContent> content_;

    GraphView* View() { return window_->findChild<GraphView*>("GraphView"); }
    QListWidget* List() { return window_->findChild<QListWidget*>("FindingList"); }
    const walkconv::app::GraphWindowBehaviour& Behaviour() { return window_->Behaviour(); }

    // The place of the widget where the picture's `spot` shows, in the top view or another.
    QPoint At(Spot spot, std::size_t view = kTopView) {
        const walkconv::app::ScreenPoint point = Behaviour().ToScreen(view, spot);
        return QPointF(point.x, point.y).toPoint() + View()->contentsRect().topLeft();
    }

    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mousePress(View(), Qt::LeftButton, modifiers, from);
        QMouseEvent move(QEvent::MouseMove, to, View()->mapToGlobal(to), Qt::NoButton,
                         Qt::LeftButton, modifiers);
        QApplication::sendEvent(View(), &move);
        QTest::mouseRelease(View(), Qt::LeftButton, modifiers, to);
    }

    QLineEdit* Field(const char* name) { return window_->findChild<QLineEdit*>(name); }

    // Every control of the side column shows its part of the behaviour's view.
    void ShowsTheView() {
        const walkconv::app::GraphWindowView view = Behaviour().WindowView();
        QCOMPARE(window_->windowTitle().toStdString(), view.title);
        const auto controls = walkconv::app::GraphControls();
        for (std::size_t i = 0; i < controls.size(); ++i) {
            const QWidget* widget = window_->findChild<QWidget*>(QString::fromUtf8(
                controls[i].name.data(), static_cast<qsizetype>(controls[i].name.size())));
            QVERIFY(widget != nullptr);
            QCOMPARE(widget->isEnabled(), view.controls[i].enabled);
            QString text = widget->property("text").toString();
            QCOMPARE(text.toStdString(), controls[i].kind == walkconv::app::ControlKind::List
                                             ? std::string()
                                             : view.controls[i].text);
            if (const auto* box = qobject_cast<const QCheckBox*>(widget)) {
                QCOMPARE(box->isChecked(), view.controls[i].checked);
            }
        }
        QCOMPARE(List()->count(), int(view.rows.size()));
        QCOMPARE(List()->item(0)->text().toStdString(), view.rows[0]);
        QCOMPARE(List()->currentRow(), view.selectedRow);
        QCOMPARE(window_->findChild<QLabel*>("StatusLine")->text().toStdString(), view.status);
    }

    QString HoverText(QPoint pos) {
        QHelpEvent hover(QEvent::ToolTip, pos, View()->mapToGlobal(pos));
        QApplication::sendEvent(View(), &hover);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }

    std::filesystem::path SaveAs(const std::string& name) {
        const auto target = dir_->path() / name;
        host_->fileAnswers.push_back(walkconv::Utf8FromPath(target));
        QTest::mouseClick(window_->findChild<QPushButton*>("SavePicture"), Qt::LeftButton);
        return target;
    }

  private slots:
    void init() {
        host_ = std::make_unique<ScriptedQtHost>();
        dir_ = std::make_unique<TempDir>();
        behaviour_ = std::make_unique<walkconv::app::GraphWindowBehaviour>();
        behaviour_->Open(SmallGraph(), walkconv::Utf8FromPath(dir_->path() / "ship1.ini"));
        content_ = behaviour_->Editing().Content();
        window_ = std::make_unique<GraphWindow>(*behaviour_, host_.get());
        window_->Render();
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    void cleanup() {
        QCOMPARE(host_->unexpectedDialogs, 0);
        window_.reset();
        behaviour_.reset();
        host_.reset();
        dir_.reset();
    }

    void window_isAResizableWindowTitledWithTheModelAndItsFindings() {
        QCOMPARE(window_->windowTitle(), QString("ship - graph"));
        QCOMPARE(window_->size(), QSize(800, 600));
        QVERIFY(window_->minimumSize() != window_->maximumSize());
        QVERIFY(window_->windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(window_->windowFlags() & Qt::WindowMaximizeButtonHint);
        QVERIFY(!window_->windowIcon().isNull());
        ShowsTheView();
        QCOMPARE(Behaviour().View().ViewWidth(), double(View()->contentsRect().width()));

        auto plain = Analysed({{0, 0, 0, 1}, {1, 1, 1, 1}}, {{0, 1}});
        behaviour_->Open(walkconv::DocumentOf(walkconv::InputKind::Sailorpoints, plain.state,
                                              plain.details, nullptr),
                         "plain1.ini");
        window_->Render();
        ShowsTheView();
    }

    void mouse_zoomsPansFitsAndShowsTitles() {
        const DrawnPoint& point = content_->drawing.points[1];
        const double fitted = Behaviour().View().Zoom();
        QCOMPARE(HoverText(At(point.at[kTopView])), QString::fromStdString(point.title));

        const QPoint before = At(point.at[kTopView]);
        QWheelEvent wheel(before, View()->mapToGlobal(before), QPoint(), QPoint(0, 240),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(View(), &wheel);
        QVERIFY(Behaviour().View().Zoom() > fitted * 1.3);
        QVERIFY((At(point.at[kTopView]) - before).manhattanLength() <= 2);

        // Dragging the empty page pans: the point follows the mouse.
        const QPoint empty = At({content_->drawing.width - 3, 3});
        Drag(empty, empty + QPoint(-40, 25));
        QVERIFY((At(point.at[kTopView]) - (before + QPoint(-40, 25))).manhattanLength() <= 2);
        const QPoint to = At(point.at[kTopView]);
        QCOMPARE(HoverText(to), QString::fromStdString(point.title));

        QTest::mouseDClick(View(), Qt::LeftButton, {}, to);
        QCOMPARE(Behaviour().View().Zoom(), fitted);
        QCOMPARE(HoverText(QPoint(2, 2)), QString());
    }

    void views_theBarMovesTheSplitAndSameScaleIsACheckBox() {
        const walkconv::app::ViewRect bar = Behaviour().Panes().Layout().splitBar;
        const QPoint onBar = QPointF(bar.left + 50, bar.top + bar.height / 2).toPoint() +
                             View()->contentsRect().topLeft();
        QMouseEvent hover(QEvent::MouseMove, onBar, View()->mapToGlobal(onBar), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(View(), &hover);
        QCOMPARE(View()->cursor().shape(), Qt::SplitVCursor);
        Drag(onBar, onBar + QPoint(0, -60));
        QVERIFY(std::abs(Behaviour().Panes().Layout().splitBar.top - (bar.top - 60)) <= 1);

        const DrawnPoint& point = content_->drawing.points[2];
        QCOMPARE(HoverText(At(point.at[walkconv::kSideView], walkconv::kSideView)),
                 QString::fromStdString(point.title));

        auto* sameScale = window_->findChild<QCheckBox*>("SameScale");
        QVERIFY(sameScale != nullptr && sameScale->isChecked());
        sameScale->click();
        QVERIFY(!Behaviour().Panes().SameScale());
        ShowsTheView();
        sameScale->click();
        QVERIFY(Behaviour().Panes().SameScale());
        ShowsTheView();
    }

    void editing_theMouseFieldsAndKeysReachTheBehaviourAndItsPanelShows() {
        const auto& points = content_->drawing.points;
        const QPoint at = At(points[1].at[kTopView]);
        QTest::mouseClick(View(), Qt::LeftButton, {}, at);
        QCOMPARE(Field("PointNumber")->text(), QString("1"));
        ShowsTheView();

        Field("X")->setFocus();
        Field("X")->setText("-0.861877");
        QTest::keyClick(Field("X"), Qt::Key_Return);
        QCOMPARE(behaviour_->Editing().Document().points[1].x, -0.861877);
        QCOMPARE(window_->windowTitle(), QString("ship* - graph"));

        // The window's keys work in a field, before the field's own undo.
        QTest::keyClick(Field("X"), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(behaviour_->Editing().Document().points[1].x, 2.0);
        QCOMPARE(Field("X")->text(), QString("2"));
        QTest::keyClick(Field("Y"), Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), Field("PointNumber"));

        // Ctrl+click links, Ctrl+Insert adds a point, Delete in the view removes it.
        QTest::mouseClick(View(), Qt::LeftButton, Qt::ControlModifier, At(points[3].at[kTopView]));
        QCOMPARE(behaviour_->Editing().Selected(), walkconv::app::Selection::Link(6));
        QTest::mouseClick(View(), Qt::LeftButton, {}, at);
        QTest::keyClick(View(), Qt::Key_Insert, Qt::ControlModifier);
        QCOMPARE(Field("PointNumber")->text(), QString("4"));
        View()->setFocus();
        QTest::keyClick(View(), Qt::Key_Delete);
        QCOMPARE(behaviour_->Editing().Document().points.size(), std::size_t{4});

        // A drag of a point moves it.
        const walkconv::Point before = behaviour_->Editing().Document().points[2];
        Drag(At(points[2].at[kTopView]), At(points[2].at[kTopView]) + QPoint(30, 0));
        QVERIFY(behaviour_->Editing().Document().points[2].z > before.z);

        QTest::mouseClick(window_->findChild<QPushButton*>("FixAll"), Qt::LeftButton);
        QVERIFY(!window_->findChild<QPushButton*>("FixAll")->isEnabled());
        ShowsTheView();
    }

    void findingsList_selectsInTheBehaviour() {
        List()->setCurrentRow(1);
        QCOMPARE(Behaviour().SelectedFinding(), 1);
        QVERIFY(!Behaviour().Highlighted().Empty());
        List()->setCurrentRow(-1);
        QCOMPARE(Behaviour().SelectedFinding(), -1);
    }

    void savePicture_writesAPngOfTheWindowsSizeWithEveryDotAndNoHighlight() {
        window_->resize(640, 520);
        List()->setCurrentRow(0);  // a highlight is no part of the picture
        const auto target = SaveAs("picture.png");
        QVERIFY(host_->messages.empty());
        QImage image;
        QVERIFY(image.load(QString::fromStdString(target.string()), "PNG"));
        QCOMPARE(image.size(), QSize(640, 520));
        for (const DrawnPoint& point : content_->drawing.points) {
            if (point.mark != walkconv::PointMark::Dot) {
                continue;
            }
            bool found = false;
            for (int y = 0; y < image.height() && !found; ++y) {
                for (int x = 0; x < image.width() && !found; ++x) {
                    found = CloseTo(image.pixel(x, y), point.color);
                }
            }
            QVERIFY2(found, point.title.c_str());
        }
        List()->setCurrentRow(-1);
        QCOMPARE(QImage(QString::fromStdString(SaveAs("plain.png").string())), image);
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
