// The Qt converter window's wiring: every control's event reaches the behaviour, every field of
// its view reaches its control, drops arrive as the window system delivers them, and the graph
// window opens, follows and closes with the program.
#include <QApplication>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <memory>

#include "app/direction.h"
#include "core/messages.h"
#include "core/text_file.h"
#include "qt/converter_window.h"
#include "qt/graph_window.h"
#include "qt_test_support.h"

using walkconv::app::ConverterView;
using walkconv::qt::ConverterWindow;
using walkconv::qt::GraphWindow;
using walkconv::testing::Path;
using walkconv::testing::ScriptedQtHost;
using walkconv::testing::TempDir;

namespace {

const char kShipWalk[] =
    "float ship_walk_verts[6];\nint ship_walk_graph[1];\n"
    "ship_walk_verts[3] = 1.5;\nship_walk_graph[0] = (0)*256 + (1);\n";
const char kShipSailorpoints[] = "[POINT_DATA]\npoint 1 = 1.5,2,3,0\n[LINK_DATA]\nlink 0 = 0,1\n";

// A converter window of either direction, shown, with the scripted host in place.
struct Window {
    explicit Window(const QString& form)
        : walk(form == "Form1"),
          window(std::make_unique<ConverterWindow>(
              walk ? walkconv::app::WalkToSailorpoints() : walkconv::app::SailorpointsToWalk(),
              &host)) {
        window->show();
    }

    bool walk;
    ScriptedQtHost host;
    TempDir dir;
    std::unique_ptr<ConverterWindow> window;

    QLineEdit* Text(const char* name) const { return window->findChild<QLineEdit*>(name); }
    QLabel* Label(const char* name) const { return window->findChild<QLabel*>(name); }
    QPushButton* Button(const char* name) const { return window->findChild<QPushButton*>(name); }
    const ConverterView& View() const { return window->Behaviour().View(); }

    QString Valid(const std::string& model = "ship") const {
        std::string text = walk ? kShipWalk : kShipSailorpoints;
        for (std::size_t at = text.find("ship"); at != std::string::npos;
             at = text.find("ship", at + model.size())) {
            text.replace(at, 4, model);
        }
        return Path(dir.Write(model + (walk ? "_walk.c" : "1.ini"), text));
    }

    void Click(const char* button) const { QTest::mouseClick(Button(button), Qt::LeftButton); }
    void Analyse(const QString& path) const {
        Text("Text1")->clear();
        QTest::keyClicks(Text("Text1"), path);
        Click("Command1");
    }

    // Every control shows what the behaviour's view says.
    void ShowsTheView() const {
        QCOMPARE(Text("Text1")->text().toStdString(), View().text1);
        QCOMPARE(Label("Label2")->text().toStdString(), View().label2);
        QCOMPARE(Button("Command3")->isEnabled(), View().command3Enabled);
        QCOMPARE(Button("Command4")->isEnabled(), View().command4Enabled);
        if (!walk) {
            QCOMPARE(Text("Text2")->text().toStdString(), View().text2);
            QCOMPARE(Text("Text2")->isEnabled(), View().text2Enabled);
        }
        QCOMPARE(Graphs().size(), View().graphShown ? 1 : 0);
    }

    // The visible graph windows of the program.
    static QList<GraphWindow*> Graphs() {
        QList<GraphWindow*> graphs;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* graph = qobject_cast<GraphWindow*>(window); graph && graph->isVisible()) {
                graphs << graph;
            }
        }
        return graphs;
    }
};

// Drags `data` onto `window` at `at` and drops it there, as the window system delivers it: to the
// control under the mouse that takes drops, or the nearest window around it that does. Whether
// the drag and the drop were taken.
bool Drop(QWidget* window, QPoint at, QMimeData* data) {
    QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window->windowHandle(), &enter);
    QDropEvent drop(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window->windowHandle(), &drop);
    return enter.isAccepted() && drop.isAccepted();
}

// The same on the middle of `control`, or on a free place of the window for "window".
bool DropOn(QWidget* window, const QString& control, QMimeData* data) {
    if (control == "window") {
        return Drop(window, QPoint(5, window->height() - 5), data);
    }
    auto* target = window->findChild<QWidget*>(control);
    return Drop(window, target->mapTo(window, target->rect().center()), data);
}

}  // namespace

class ConverterWindowTest : public QObject {
    Q_OBJECT

  private:
    static void BothForms() {
        QTest::addColumn<QString>("form");
        QTest::newRow("Form1") << "Form1";
        QTest::newRow("Form2") << "Form2";
    }

  private slots:
    void cleanup() {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (qobject_cast<GraphWindow*>(window) == nullptr) {
                window->close();
            }
        }
        QVERIFY(Window::Graphs().isEmpty());
    }

    void everyEventReachesTheBehaviourAndItsViewTheControls_data() { BothForms(); }
    void everyEventReachesTheBehaviourAndItsViewTheControls() {
        QFETCH(QString, form);
        Window w(form);
        w.ShowsTheView();

        w.Analyse(w.Valid());  // typing, then Analyse
        QVERIFY(w.View().command3Enabled);
        w.ShowsTheView();

        if (!w.walk) {
            w.Text("Text2")->clear();
            QTest::keyClicks(w.Text("Text2"), " my boat");
            QCOMPARE(w.View().text2, std::string(" my boat"));
        }
        // The success message shows over the window as it was, Convert! still enabled.
        bool enabledUnderMessage = false;
        w.host.onMessage = [&](std::string_view) {
            enabledUnderMessage = w.Button("Command3")->isEnabled();
        };
        w.host.fileAnswers.push_back(walkconv::Utf8FromPath(w.dir.path() / "out"));
        w.Click("Command3");
        QCOMPARE(w.host.messages, std::vector<std::string>{walkconv::kConvertedMessage});
        QVERIFY(enabledUnderMessage);
        QVERIFY(!w.View().command3Enabled);
        // A decimal point whatever the locale that QApplication took over from the environment.
        QVERIFY(TempDir::Read(w.dir.path() / "out").find("1.5") != std::string::npos);
        w.ShowsTheView();

        w.Click("Command4");
        QVERIFY(w.View().graphShown);
        w.ShowsTheView();

        w.host.fileAnswers.push_back(walkconv::Utf8FromPath(w.dir.path() / "other"));
        w.Click("Command2");
        QCOMPARE(w.host.fileRequests.back().mode, walkconv::app::FileRequest::Mode::Open);
        QCOMPARE(w.View().text1, walkconv::Utf8FromPath(w.dir.path() / "other"));
        w.ShowsTheView();

        // A failure clears the window before its message shows over it.
        w.Analyse(w.Valid());
        QString labelUnderMessage = "not shown";
        w.host.onMessage = [&](std::string_view) { labelUnderMessage = w.Label("Label2")->text(); };
        w.Analyse(Path(w.dir.Write("a.c", "x")));
        QCOMPARE(labelUnderMessage, QString());
        w.ShowsTheView();
        QCOMPARE(w.host.unexpectedDialogs, 0);
    }

    void showGraph_opensOneGraphWindowBesideThatEndsWithTheProgram_data() { BothForms(); }
    void showGraph_opensOneGraphWindowBesideThatEndsWithTheProgram() {
        QFETCH(QString, form);
        auto w = std::make_unique<Window>(form);
        w->Analyse(w->Valid());
        w->Click("Command4");
        QCOMPARE(Window::Graphs().size(), 1);
        QPointer<GraphWindow> graph = Window::Graphs().front();
        QCOMPARE(graph->windowTitle(), QString("ship - graph"));
        QCOMPARE(graph->size(), QSize(800, 600));
        QVERIFY(QTest::qWaitForWindowActive(graph));

        // A new analysis shows in the same window.
        w->Analyse(w->Valid("boat"));
        QCOMPARE(Window::Graphs(), QList<GraphWindow*>{graph});
        QCOMPARE(graph->windowTitle(), QString("boat - graph"));

        // A second click brings the same window to the front.
        w->window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w->window.get()));
        w->Click("Command4");
        QCOMPARE(Window::Graphs(), QList<GraphWindow*>{graph});
        QVERIFY(QTest::qWaitForWindowActive(graph));

        // Closing it by hand tells the behaviour.
        graph->close();
        QVERIFY(!w->View().graphShown);
        w->Click("Command4");

        // Closing the converter window ends the program though the graph window is open, and
        // the graph window goes with it.
        w->window->setAttribute(Qt::WA_DeleteOnClose, false);
        QTimer::singleShot(0, w->window.get(), [&] { w->window->close(); });
        QTimer keptRunning;
        keptRunning.setSingleShot(true);
        connect(&keptRunning, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        keptRunning.start(3000);
        QCOMPARE(QCoreApplication::exec(), 0);
        keptRunning.stop();
        w.reset();
        QVERIFY(graph.isNull());
    }

    void closing_withUnsavedEditsAsksAndCancelKeepsTheWindowsOpen() {
        Window w("Form1");
        w.Analyse(w.Valid());
        w.Click("Command4");
        GraphWindow* graph = Window::Graphs().front();
        QTest::keyClick(graph, Qt::Key_Insert, Qt::ControlModifier);  // an edit
        QCOMPARE(graph->windowTitle(), QString("ship* - graph"));

        w.host.answers = {walkconv::app::Host::Answer::Cancel, walkconv::app::Host::Answer::Cancel,
                          walkconv::app::Host::Answer::Discard};
        QVERIFY(!graph->close());
        QVERIFY(!w.window->close());
        QCOMPARE(Window::Graphs().size(), 1);
        QVERIFY(graph->close());
        QCOMPARE(w.host.questions.size(), std::size_t{3});
        QVERIFY(Window::Graphs().isEmpty());
        QVERIFY(!w.View().graphShown);
        // Discarded: the graph shows the file again.
        w.Click("Command4");
        QCOMPARE(Window::Graphs().front()->windowTitle(), QString("ship - graph"));
    }

    void drop_analysesTheFirstLocalFile_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("target");  // the window, or a control on it
        QTest::addColumn<QString>("what");
        QTest::addColumn<bool>("analysed");
        for (const char* form : {"Form1", "Form2"}) {
            for (const char* target : {"window", "Text1", "Label2", "Command3"}) {
                QTest::newRow(qPrintable(QString("%1, one file on %2").arg(form, target)))
                    << form << target << "one file" << true;
            }
            const auto row = [&](const char* what, bool analysed) {
                QTest::newRow(qPrintable(QString("%1, %2").arg(form, what)))
                    << form << "window" << what << analysed;
            };
            row("a web address", false);
            row("a web address, then a file", false);
            row("a folder", false);
            row("text", false);
        }
        QTest::newRow("Form2, one file on Text2") << "Form2"
                                                  << "Text2"
                                                  << "one file" << true;
    }
    void drop_analysesTheFirstLocalFile() {
        QFETCH(QString, form);
        QFETCH(QString, target);
        QFETCH(QString, what);
        QFETCH(bool, analysed);
        Window w(form);
        const QString valid = w.Valid();
        QMimeData data;
        if (what == "one file") {
            data.setUrls({QUrl::fromLocalFile(valid)});
        } else if (what == "a web address") {
            data.setUrls({QUrl("https://example.org/ship_walk.c")});
        } else if (what == "a web address, then a file") {
            data.setUrls({QUrl("https://example.org/ship_walk.c"), QUrl::fromLocalFile(valid)});
        } else if (what == "a folder") {
            data.setUrls({QUrl::fromLocalFile(Path(w.dir.path()))});
        } else {
            data.setText(valid);
        }
        w.Text("Text1")->setText("typed");
        QCOMPARE(DropOn(w.window.get(), target, &data), analysed);
        QCOMPARE(w.Text("Text1")->text(), analysed ? valid : QString("typed"));
        QCOMPARE(w.View().command4Enabled, analysed);
        w.ShowsTheView();
    }

    void drop_textOnTheInputBox_isTypedThereAsBefore() {
        Window w("Form1");
        QMimeData data;
        data.setText("dropped text");
        QCOMPARE(DropOn(w.window.get(), "Text1", &data), true);
        QCOMPARE(w.Text("Text1")->text(), QString("dropped text"));
        QCOMPARE(w.View().text1, std::string("dropped text"));
        QCOMPARE(w.Label("Label2")->text(), QString());
    }
};

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName("walk-converter-tests");
    ConverterWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "converter_window_test.moc"
