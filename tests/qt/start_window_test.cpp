#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include "gui/start_window.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

using walkconv::testing::ScriptedUi;
using walkconv::testing::TempDir;
using walkconv::ui::OpenFirstWindow;

namespace {

const char kWalk[] =
    "float ship_walk_verts[6];\nint ship_walk_graph[1];\n"
    "ship_walk_verts[3] = 1;\nship_walk_graph[0] = (0)*256 + (1);\n";
const char kSailorpoints[] = "[POINT_DATA]\npoint 1 = 1,2,3,0\n[LINK_DATA]\nlink 0 = 0,1\n";

}  // namespace

class StartWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void argument_picksTheWindow_data() {
        QTest::addColumn<QStringList>("files");  // written into the folder: name=content
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("analysed");
        QTest::addColumn<QString>("message");
        const QString walk = QString("ship_walk.c=") + kWalk;
        const QString ini = QString("ship1.ini=") + kSailorpoints;
        QTest::newRow("none: the chooser")
            << QStringList{walk} << QStringList{} << "Form3" << false << "";
        QTest::newRow("walk source")
            << QStringList{walk} << QStringList{"ship_walk.c"} << "Form1" << true << "";
        QTest::newRow("sailorpoints")
            << QStringList{ini} << QStringList{"ship1.ini"} << "Form2" << true << "";
        QTest::newRow("sailorpoints named .txt")
            << QStringList{QString("ship1.txt=") + kSailorpoints} << QStringList{"ship1.txt"}
            << "Form2" << true << "";
        QTest::newRow("walk source without an ending")
            << QStringList{QString("ship_walk=") + kWalk} << QStringList{"ship_walk"} << "Form1"
            << true << "";
        QTest::newRow("several: the first")
            << QStringList{walk, ini} << QStringList{"ship1.ini", "ship_walk.c"} << "Form2" << true
            << "";
        QTest::newRow("missing .c")
            << QStringList{} << QStringList{"gone_walk.c"} << "Form1" << false << "";
        QTest::newRow("missing .INI")
            << QStringList{} << QStringList{"GONE1.INI"} << "Form2" << false << "";
        QTest::newRow("missing .C")
            << QStringList{} << QStringList{"GONE_WALK.C"} << "Form1" << false << "";
        QTest::newRow("missing, another ending: the chooser")
            << QStringList{} << QStringList{"gone.txt"} << "Form3" << false << "";
        QTest::newRow("a folder: the chooser")
            << QStringList{} << QStringList{"."} << "Form3" << false << "";
        QTest::newRow("failing analysis: the message over the window")
            << QStringList{QString("a.c=") + kWalk} << QStringList{"a.c"} << "Form1" << false
            << "Error! Input file corrupted or not valid";
    }
    void argument_picksTheWindow() {
        QFETCH(QStringList, files);
        QFETCH(QStringList, arguments);
        QFETCH(QString, window);
        QFETCH(bool, analysed);
        QFETCH(QString, message);
        ScriptedUi ui;
        TempDir dir;
        for (const QString& file : files) {
            dir.Write(file.section('=', 0, 0).toStdString(), file.section('=', 1).toStdString());
        }
        QStringList paths;
        for (const QString& argument : arguments) {
            paths << QString::fromStdString((dir.path() / argument.toStdString()).string());
        }
        bool shownUnderMessage = false;
        ui.onMessage = [&](const QString&) {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                shownUnderMessage =
                    shownUnderMessage || (w->isVisible() && w->objectName() == window);
            }
        };

        QPointer<QWidget> opened = OpenFirstWindow(paths);
        QVERIFY(opened);
        QCOMPARE(opened->objectName(), window);
        QVERIFY(opened->isVisible());
        QVERIFY(opened->testAttribute(Qt::WA_DeleteOnClose));
        if (window != "Form3") {
            QCOMPARE(opened->findChild<QLineEdit*>("Text1")->text(), paths.front());
            const QString result = opened->findChild<QLabel*>("Label2")->text();
            QCOMPARE(result.startsWith("Ship model name: "), analysed);
            QCOMPARE(result.isEmpty(), !analysed);
        }
        QCOMPARE(ui.messages, message.isEmpty() ? QStringList{} : QStringList{message});
        QCOMPARE(shownUnderMessage, !message.isEmpty());

        opened->close();
        QTRY_VERIFY(opened.isNull());
    }
};

QTEST_MAIN(StartWindowTest)
#include "start_window_test.moc"
