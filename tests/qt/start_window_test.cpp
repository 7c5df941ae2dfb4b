#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include "core/messages.h"
#include "qt/start_window.h"
#include "qt_test_support.h"

using walkconv::qt::OpenFirstWindow;
using walkconv::testing::Path;
using walkconv::testing::ScriptedQtHost;
using walkconv::testing::TempDir;

// Which window an argument opens is the behaviour's (app.FirstWindowFor); here, that the window
// it names opens, shown and analysed, with a failure's message over it.
class StartWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void argument_opensItsWindow_data() {
        QTest::addColumn<QString>("file");  // written into the folder as name=content
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("analysed");
        QTest::addColumn<bool>("failed");
        QTest::newRow("none: the chooser") << ""
                                           << "Form3" << false << false;
        QTest::newRow("walk source")
            << "ship_walk.c=float ship_walk_verts[6];\nint ship_walk_graph[1];\n"
               "ship_walk_verts[3] = 1;\nship_walk_graph[0] = (0)*256 + (1);\n"
            << "Form1" << true << false;
        QTest::newRow("sailorpoints")
            << "ship1.ini=[POINT_DATA]\npoint 1 = 1,2,3,0\n[LINK_DATA]\nlink 0 = 0,1\n"
            << "Form2" << true << false;
        QTest::newRow("failing analysis: the message over the window") << "a.c=x"
                                                                       << "Form1" << false << true;
    }
    void argument_opensItsWindow() {
        QFETCH(QString, file);
        QFETCH(QString, window);
        QFETCH(bool, analysed);
        QFETCH(bool, failed);
        ScriptedQtHost host;
        TempDir dir;
        QStringList arguments;
        if (!file.isEmpty()) {
            arguments << Path(dir.Write(file.section('=', 0, 0).toStdString(),
                                        file.section('=', 1).toStdString()));
        }
        bool shownUnderMessage = false;
        host.onMessage = [&](std::string_view) {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                shownUnderMessage =
                    shownUnderMessage || (w->isVisible() && w->objectName() == window);
            }
        };

        QPointer<QWidget> opened = OpenFirstWindow(arguments, &host);
        QVERIFY(opened);
        QCOMPARE(opened->objectName(), window);
        QVERIFY(opened->isVisible());
        QVERIFY(opened->testAttribute(Qt::WA_DeleteOnClose));
        if (window != "Form3") {
            QCOMPARE(opened->findChild<QLineEdit*>("Text1")->text(), arguments.front());
            QCOMPARE(opened->findChild<QLabel*>("Label2")->text().startsWith("Ship model name: "),
                     analysed);
        }
        QCOMPARE(host.messages, failed ? std::vector<std::string>{walkconv::kInputCorruptedMessage}
                                       : std::vector<std::string>{});
        QCOMPARE(shownUnderMessage, failed);

        opened->close();
        QTRY_VERIFY(opened.isNull());
    }
};

QTEST_MAIN(StartWindowTest)
#include "start_window_test.moc"
