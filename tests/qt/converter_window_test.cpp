// What the two converter windows gained beside converting: "Show graph" and the graph window of
// the analysis, files dropped on the window, and the folders their dialogs remember.
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

#include "core/findings/findings.h"
#include "core/sailorpoints/sailorpoints_reader.h"
#include "core/walk/walk_reader.h"
#include "gui/form1.h"
#include "gui/form2.h"
#include "gui/graph_window.h"
#include "support/window_under_test.h"

using walkconv::testing::TempDir;
using walkconv::testing::WindowUnderTest;
using walkconv::ui::ConverterWindow;
using walkconv::ui::Form1;
using walkconv::ui::Form2;
using walkconv::ui::GraphWindow;

namespace {

// The declarations give the counts; the values follow in the init function.
const char kShipWalk[] =
    "int ship_walk_count;\nfloat ship_walk_verts[6];\nint ship_walk_types[2];\n"
    "int ship_walk_graph[1];\nvoid ship_walk_init()\n{\n"
    "ship_walk_count = 2;\n"
    "ship_walk_verts[0] = 1.5;ship_walk_verts[1] = 2;ship_walk_verts[2] = -0.25;\n"
    "ship_walk_verts[3] = 0;ship_walk_verts[4] = 3;ship_walk_verts[5] = 4;\n"
    "ship_walk_types[0] = 5;ship_walk_types[1] = 1;\n"
    "ship_walk_graph[0] = (0)*256 + (1);\n}\n";

const char kShipSailorpoints[] =
    "[SIZE]\npoints = 2\nlinks = 1\n[POINT_DATA]\n"
    "point 0 = 1.5,2,-0.25,5\npoint 1 = 0,3,4,1\n[LINK_DATA]\nlink 0 = 0,1\n";

// The inputs of each direction: one that analyses as valid, one refused, one that fails.
struct Inputs {
    const char* name;
    const char* text;
    const char* notValidName;
    const char* notValidText;
    const char* failingName;  // too short to hold the model name's ending
};

const Inputs kWalkInputs{"ship_walk.c", kShipWalk, "boat_walk.c", "float boat_walk_verts[6];\n",
                         "ship.c"};
const Inputs kSailorpointsInputs{"ship1.ini", kShipSailorpoints, "nolinks1.ini",
                                 "[POINT_DATA]\npoint 0 = 1,2,3,0\n", "a.in"};

// A converter window of either direction, by its name.
class Converter : public WindowUnderTest<ConverterWindow> {
  public:
    explicit Converter(const QString& form)
        : WindowUnderTest(form == "Form1" ? std::unique_ptr<ConverterWindow>(new Form1())
                                          : std::unique_ptr<ConverterWindow>(new Form2())),
          in(form == "Form1" ? kWalkInputs : kSailorpointsInputs) {}

    const Inputs& in;

    QString Valid(const std::string& model = "ship") const {
        std::string text = in.text;
        for (std::size_t at = text.find("ship"); at != std::string::npos;
             at = text.find("ship", at + model.size())) {
            text.replace(at, 4, model);
        }
        std::string name = in.name;
        name.replace(0, 4, model);
        return Path(dir.Write(name, text));
    }
    QString NotValid() const { return Path(dir.Write(in.notValidName, in.notValidText)); }
    QString Failing() const { return Path(dir.Write(in.failingName, in.text)); }

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
        QVERIFY(Converter::Graphs().isEmpty());
    }

    void showGraph_isEnabledExactlyWhileAValidAnalysisStands_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<bool>("convert");
        QTest::addColumn<bool>("showGraph");
        for (const char* form : {"Form1", "Form2"}) {
            const auto row = [&](const char* name, const QStringList& steps, bool convert,
                                 bool showGraph) {
                QTest::newRow(qPrintable(QString("%1: %2").arg(form, name)))
                    << QString(form) << steps << convert << showGraph;
            };
            row("new window", {}, false, false);
            row("valid", {"valid"}, true, true);
            row("converted", {"valid", "convert"}, false, true);
            row("converted, then browse", {"valid", "convert", "browse"}, false, false);
            row("not valid", {"valid", "not valid"}, false, false);
            row("failed", {"valid", "failed"}, false, false);
            row("missing file", {"valid", "missing"}, false, false);
            row("empty path", {"valid", "empty"}, false, false);
            row("browse", {"valid", "browse"}, false, false);
            row("browse cancelled", {"valid", "browse cancelled"}, false, false);
            row("valid again", {"valid", "failed", "valid"}, true, true);
        }
    }
    void showGraph_isEnabledExactlyWhileAValidAnalysisStands() {
        QFETCH(QString, form);
        QFETCH(QStringList, steps);
        QFETCH(bool, convert);
        QFETCH(bool, showGraph);
        Converter w(form);
        for (const QString& step : steps) {
            if (step == "valid") {
                w.Analyse(w.Valid());
            } else if (step == "not valid") {
                w.Analyse(w.NotValid());
            } else if (step == "failed") {
                w.Analyse(w.Failing());
            } else if (step == "missing") {
                w.Analyse(w.Path(w.dir.path() / "missing"));
            } else if (step == "empty") {
                w.Analyse(QString());
            } else if (step == "convert") {
                w.ConvertTo(w.dir.path() / "out");
            } else if (step == "browse") {
                w.ui.fileAnswers.push_back(w.Path(w.dir.path() / "other"));
                w.Click("Command2");
            } else if (step == "browse cancelled") {
                w.ui.fileAnswers.push_back(std::nullopt);
                w.Click("Command2");
            }
        }
        QCOMPARE(w.Button("Command3")->isEnabled(), convert);
        QCOMPARE(w.Button("Command4")->isEnabled(), showGraph);
        QCOMPARE(w.ui.unexpectedDialogs, 0);
    }

    void showGraph_opensOneGraphWindowOfTheAnalysis_data() { BothForms(); }
    void showGraph_opensOneGraphWindowOfTheAnalysis() {
        QFETCH(QString, form);
        auto w = std::make_unique<Converter>(form);
        w->Analyse(w->Valid());
        QVERIFY(Converter::Graphs().isEmpty());
        w->Click("Command4");
        QCOMPARE(Converter::Graphs().size(), 1);
        QPointer<GraphWindow> graph = Converter::Graphs().front();
        QCOMPARE(graph->windowTitle(), QString("ship - graph"));
        QCOMPARE(graph->size(), QSize(800, 600));
        QVERIFY(QTest::qWaitForWindowActive(graph));

        // A second click brings the same window to the front.
        w->form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w->form.get()));
        w->Click("Command4");
        QCOMPARE(Converter::Graphs(), QList<GraphWindow*>{graph});
        QVERIFY(QTest::qWaitForWindowActive(graph));

        // Closing the converter window ends the program though the graph window is open, and
        // the graph window goes with it.
        QTimer::singleShot(0, w->form.get(), [&] { w->form->close(); });
        QTimer keptRunning;
        keptRunning.setSingleShot(true);
        connect(&keptRunning, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        keptRunning.start(3000);
        QCOMPARE(QCoreApplication::exec(), 0);
        keptRunning.stop();
        w.reset();
        QVERIFY(graph.isNull());
    }

    void graphWindow_followsTheAnalysesAndClosesWithoutOne_data() { BothForms(); }
    void graphWindow_followsTheAnalysesAndClosesWithoutOne() {
        QFETCH(QString, form);
        Converter w(form);
        w.Analyse(w.Valid());
        w.Click("Command4");
        QPointer<GraphWindow> graph = Converter::Graphs().front();

        w.Analyse(w.Valid("boat"));
        QCOMPARE(Converter::Graphs(), QList<GraphWindow*>{graph});
        QCOMPARE(graph->windowTitle(), QString("boat - graph"));

        w.Analyse(w.NotValid());
        QVERIFY(Converter::Graphs().isEmpty());
        // A valid analysis does not open it again by itself; "Show graph" shows the new one.
        w.Analyse(w.Valid());
        QVERIFY(Converter::Graphs().isEmpty());
        w.Click("Command4");
        QCOMPARE(Converter::Graphs(), QList<GraphWindow*>{graph});
        QCOMPARE(graph->windowTitle(), QString("ship - graph"));

        // Convert! leaves it open; browse, a failure or a missing file close it.
        w.ConvertTo(w.dir.path() / "out");
        QCOMPARE(Converter::Graphs().size(), 1);
        w.ui.fileAnswers.push_back(std::nullopt);
        w.Click("Command2");
        QVERIFY(Converter::Graphs().isEmpty());
        for (const QString& input : {w.Failing(), w.Path(w.dir.path() / "missing")}) {
            w.Analyse(w.Valid());
            w.Click("Command4");
            w.Analyse(input);
            QVERIFY(Converter::Graphs().isEmpty());
        }
    }

    void graphWindow_keepsTheAnalysedNameAfterTheOutputNameChanges() {
        Converter w("Form2");
        w.Analyse(w.Valid());
        w.Text("Text2")->setText("renamed");
        w.ConvertTo(w.dir.path() / "renamed_walk.c");
        QVERIFY(w.Button("Command4")->isEnabled());
        w.Click("Command4");
        QCOMPARE(Converter::Graphs().front()->windowTitle(), QString("ship - graph"));
    }

    void graphWindow_listsWhatTheAnalysisNoticed_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        // The count assignment is a fact of walk sources only; the dropped link a detail.
        QTest::newRow("walk source counting 3 points of 2")
            << "Form1"
            << "ship_walk.c" << QString(kShipWalk).replace("count = 2", "count = 3");
        QTest::newRow("walk source with a negative end")
            << "Form1"
            << "ship_walk.c"
            << QString(kShipWalk)
                   .replace("graph[1];", "graph[2];")
                   .replace("}", "ship_walk_graph[1] = (-1)*256 + (0);\n}");
        QTest::newRow("sailorpoints with a negative end")
            << "Form2"
            << "ship1.ini" << QString(kShipSailorpoints) + "link 1 = -1,0\n";
    }
    void graphWindow_listsWhatTheAnalysisNoticed() {
        QFETCH(QString, form);
        QFETCH(QString, name);
        QFETCH(QString, text);
        Converter w(form);
        const QString input = w.Path(w.dir.Write(name.toStdString(), text.toStdString()));
        w.Analyse(input);
        w.Click("Command4");

        walkconv::ConversionState state;
        walkconv::AnalysisDetails details;
        walkconv::WalkSourceFacts facts;
        const bool walk = form == "Form1";
        if (walk) {
            walkconv::AnalyseWalk(input.toStdString(), state, &details, &facts);
        } else {
            walkconv::AnalyseSailorpoints(input.toStdString(), state, &details);
        }
        QStringList expected;
        for (const walkconv::Finding& finding :
             walkconv::CollectFindings(state, details, walk ? &facts : nullptr)) {
            expected << QString::fromStdString(finding.message);
        }
        QVERIFY(!expected.isEmpty());
        QStringList listed;
        auto* list = Converter::Graphs().front()->findChild<QListWidget*>("FindingList");
        for (int i = 0; i < list->count(); ++i) {
            listed << list->item(i)->text().section(": ", 1);
        }
        QCOMPARE(listed, expected);
    }

    void drop_analysesTheFirstLocalFile_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("target");  // the window, or a text box on it
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
            row("several files", true);
            row("a missing file", true);
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
        Converter w(form);
        const QString valid = w.Valid();
        const QString missing = w.Path(w.dir.path() / w.in.name) + ".gone";
        QMimeData data;
        if (what == "one file") {
            data.setUrls({QUrl::fromLocalFile(valid)});
        } else if (what == "several files") {
            data.setUrls({QUrl::fromLocalFile(valid), QUrl::fromLocalFile(w.NotValid())});
        } else if (what == "a missing file") {
            data.setUrls({QUrl::fromLocalFile(missing)});
        } else if (what == "a web address") {
            data.setUrls({QUrl("https://example.org/ship_walk.c")});
        } else if (what == "a web address, then a file") {
            data.setUrls({QUrl("https://example.org/ship_walk.c"), QUrl::fromLocalFile(valid)});
        } else if (what == "a folder") {
            data.setUrls({QUrl::fromLocalFile(w.Path(w.dir.path()))});
        } else {
            data.setText(valid);
        }
        w.Text("Text1")->setText("typed");
        QCOMPARE(DropOn(w.form.get(), target, &data), analysed);

        if (!analysed) {
            QCOMPARE(w.Text("Text1")->text(), QString("typed"));
            QCOMPARE(w.Label("Label2")->text(), QString());
            QVERIFY(!w.Button("Command4")->isEnabled());
            return;
        }
        const bool missingFile = what == "a missing file";
        QCOMPARE(w.Text("Text1")->text(), missingFile ? missing : valid);
        QCOMPARE(w.Label("Label2")->text().startsWith("Ship model name: ship"), !missingFile);
        QCOMPARE(w.Button("Command3")->isEnabled(), !missingFile);
        QCOMPARE(w.Button("Command4")->isEnabled(), !missingFile);
        QVERIFY(w.ui.messages.isEmpty());
    }

    void drop_textOnTheInputBox_isTypedThereAsBefore() {
        Converter w("Form1");
        QMimeData data;
        data.setText("dropped text");
        QCOMPARE(DropOn(w.form.get(), "Text1", &data), true);
        QCOMPARE(w.Text("Text1")->text(), QString("dropped text"));
        QCOMPARE(w.Label("Label2")->text(), QString());
    }

    void dialogs_openInTheFolderLastUsedByTheSameKindOfWindow() {
        Converter first("Form1");
        QVERIFY(std::filesystem::create_directory(first.dir.path() / "in"));
        QVERIFY(std::filesystem::create_directory(first.dir.path() / "out"));
        const QString in = first.Path(first.dir.path() / "in");
        const QString out = first.Path(first.dir.path() / "out");

        first.ui.fileAnswers.push_back(in + "/ship_walk.c");
        first.Click("Command2");
        QCOMPARE(first.ui.fileRequests.back().folder, QString());
        first.Analyse(first.Valid());
        first.ConvertTo(first.dir.path() / "out" / "ship1.ini");
        QCOMPARE(first.ui.fileRequests.back().folder, in);  // the browse's folder
        QCOMPARE(first.ui.fileRequests.back().fileName, QString("ship1.ini"));

        // A window of the same kind, as in a later run, starts where the last dialog ended;
        // the other kind keeps its own.
        auto again = std::make_unique<Form1>();
        again->show();
        first.ui.fileAnswers.push_back(std::nullopt);
        QTest::mouseClick(again->findChild<QPushButton*>("Command2"), Qt::LeftButton);
        QCOMPARE(first.ui.fileRequests.back().folder, out);
        QCOMPARE(first.ui.fileRequests.back().fileName, QString());

        auto other = std::make_unique<Form2>();
        other->show();
        first.ui.fileAnswers.push_back(std::nullopt);
        QTest::mouseClick(other->findChild<QPushButton*>("Command2"), Qt::LeftButton);
        QCOMPARE(first.ui.fileRequests.back().folder, QString());

        // A folder that is gone is not proposed.
        std::filesystem::remove(first.dir.path() / "out" / "ship1.ini");
        std::filesystem::remove(first.dir.path() / "out");
        first.ui.fileAnswers.push_back(std::nullopt);
        QTest::mouseClick(again->findChild<QPushButton*>("Command2"), Qt::LeftButton);
        QCOMPARE(first.ui.fileRequests.back().folder, QString());
    }
};

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName("walk-converter-tests");
    ConverterWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "converter_window_test.moc"
