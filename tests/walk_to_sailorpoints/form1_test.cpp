#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "app/common_dialog.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "walk_to_sailorpoints/form1.h"

using walkconv::testing::NextTabStop;
using walkconv::testing::ScriptedUi;
using walkconv::testing::TempDir;
using walkconv::ui::CommonDialog;
using walkconv::ui::FileDialogRequest;
using walkconv::ui::Form1;

namespace {

const char kShipWalk[] =
    "int ship_walk_count;\n"
    "float ship_walk_verts[6];\n"
    "int ship_walk_types[2];\n"
    "int ship_walk_graph[1];\n"
    "\n"
    "void ship_walk_init()\n"
    "{\n"
    "        ship_walk_count = 2;\n"
    "\n"
    "        ship_walk_verts[0] = 1.5;\n"
    "        ship_walk_verts[1] = 2;\n"
    "        ship_walk_verts[2] = -0.25;\n"
    "        ship_walk_verts[3] = 0;\n"
    "        ship_walk_verts[4] = 3;\n"
    "        ship_walk_verts[5] = 4;\n"
    "\n"
    "        ship_walk_types[0] = 5;\n"
    "        ship_walk_types[1] = 1;\n"
    "\n"
    "        ship_walk_graph[0] = (0)*256 + (1);\n"
    "}\n";

const char kShipSailorpoints[] =
    "\r\n[SIZE]\r\npoints = 2\r\nlinks = 1\r\n\r\n[POINT_DATA]\r\n"
    "point 0 = 1.5,2,-0.25,10\r\npoint 1 = 0,3,4,1\r\n\r\n[LINK_DATA]\r\nlink 0 = 0,1\r\n";

const char kShipSummary[] =
    "Ship model name: ship\r\n\r\nNumber of points = 2\r\nNumber of links = 1";

}  // namespace

class Form1Test : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<ScriptedUi> ui_;
    std::unique_ptr<Form1> form_;
    std::unique_ptr<TempDir> dir_;

    QLineEdit* Text1() { return form_->findChild<QLineEdit*>("Text1"); }
    QLabel* Label2() { return form_->findChild<QLabel*>("Label2"); }
    QPushButton* Button(const char* name) { return form_->findChild<QPushButton*>(name); }
    CommonDialog* Dialog(const char* name) { return form_->findChild<CommonDialog*>(name); }
    QString Path(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

    void Analyse(const QString& path) {
        Text1()->setText(path);
        QTest::mouseClick(Button("Command1"), Qt::LeftButton);
    }
    void AnalyseShip() { Analyse(Path(dir_->Write("ship_walk.c", kShipWalk))); }

  private slots:
    void init() {
        ui_ = std::make_unique<ScriptedUi>();
        dir_ = std::make_unique<TempDir>();
        form_ = std::make_unique<Form1>();
        form_->show();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    }
    void cleanup() {
        form_.reset();
        QCOMPARE(ui_->unexpectedDialogs, 0);
        ui_.reset();
        dir_.reset();
    }

    void newWindow_isEmptyWithConvertDisabledAndFocusInTheInputBox() {
        QCOMPARE(form_->windowTitle(), QString("Walk to Sailorpoints converter - v.beta2"));
        QCOMPARE(form_->size(), QSize(419, 248));
        QCOMPARE(form_->minimumSize(), form_->maximumSize());
        const Qt::WindowFlags flags = form_->windowFlags();
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(!form_->windowIcon().isNull());

        QCOMPARE(Text1()->text(), QString());
        QCOMPARE(Label2()->text(), QString());
        QVERIFY(!Button("Command3")->isEnabled());
        QCOMPARE(QApplication::focusWidget(), Text1());
        QCOMPARE(form_->findChild<QLabel*>("Label1")->text(), QString("Choose input Walk file:"));
        QCOMPARE(Button("Command1")->text(), QString("Analyse"));
        QCOMPARE(Button("Command2")->text(), QString("..."));
        QCOMPARE(Button("Command3")->text(), QString("Convert!"));
    }

    void controls_standWhereTheTableSaysInTabOrder() {
        QCOMPARE(Text1()->geometry(), QRect(40, 40, 305, 19));
        QCOMPARE(Button("Command1")->geometry(), QRect(40, 88, 113, 49));
        QCOMPARE(Button("Command2")->geometry(), QRect(360, 32, 25, 25));
        QCOMPARE(form_->findChild<QLabel*>("Label1")->geometry(), QRect(40, 16, 225, 17));
        QCOMPARE(Button("Command3")->geometry(), QRect(152, 168, 113, 49));
        QCOMPARE(Label2()->geometry(), QRect(176, 80, 209, 65));

        AnalyseShip();  // a disabled Convert! takes no focus
        QCOMPARE(NextTabStop(Text1()), Button("Command1"));
        QCOMPARE(NextTabStop(Button("Command1")), Button("Command2"));
        QCOMPARE(NextTabStop(Button("Command2")), Button("Command3"));
        QCOMPARE(NextTabStop(Button("Command3")), Text1());
        for (const char* name : {"Command1", "Command2", "Command3"}) {
            QVERIFY(!Button(name)->isDefault());
            QVERIFY(!Button(name)->autoDefault());
        }
    }

    void dialogs_offerWalkSourcesToOpenAndIniFilesToSave() {
        QCOMPARE(Dialog("CommonDialog1")->Filter, QString("C files (*.c)|*.c|All files (*.)|*|"));
        QCOMPARE(Dialog("CommonDialog1")->Flags, 4);
        QCOMPARE(Dialog("CommonDialog2")->Filter,
                 QString("INI files (*.ini)|*.ini|All files (*.)|*|"));
    }

    void analyse_validFile_showsSummaryAndEnablesConvert() {
        AnalyseShip();
        QCOMPARE(Label2()->text(), QString(kShipSummary));
        QVERIFY(Button("Command3")->isEnabled());
        QVERIFY(ui_->messages.isEmpty());
    }

    void analyse_fileWithoutLinks_isRefusedInTheResultArea() {
        AnalyseShip();
        Analyse(Path(dir_->Write("boat_walk.c", "float boat_walk_verts[6];\n")));
        QCOMPARE(Label2()->text(), QString(" This file is not a valid walk file"));
        QVERIFY(!Button("Command3")->isEnabled());
        QVERIFY(ui_->messages.isEmpty());
    }

    void analyse_brokenFile_showsTheErrorBoxAndClearsTheResult() {
        AnalyseShip();
        // A file name of six characters is too short to cut "_walk.c" from.
        Analyse(Path(dir_->Write("ship.c", kShipWalk)));
        QCOMPARE(ui_->messages, QStringList{"Error! Input file corrupted or not valid"});
        QCOMPARE(Label2()->text(), QString());
        QVERIFY(!Button("Command3")->isEnabled());
        QCOMPARE(Text1()->text(), Path(dir_->path() / "ship.c"));
    }

    void analyse_missingInput_clearsTheResultWithoutAMessage() {
        AnalyseShip();
        Analyse(Path(dir_->path() / "nothing_walk.c"));
        QCOMPARE(Label2()->text(), QString());
        QVERIFY(!Button("Command3")->isEnabled());
        AnalyseShip();
        Analyse(Path(dir_->path()));  // a folder is no input file
        QVERIFY(!Button("Command3")->isEnabled());
        AnalyseShip();
        Analyse(QString());
        QVERIFY(!Button("Command3")->isEnabled());
        QVERIFY(ui_->messages.isEmpty());
        // What was analysed last is still what the state holds.
        QCOMPARE(form_->State().ModelName, std::string("ship"));
    }

    void convert_proposesTheModelNameAndWritesTheFile() {
        AnalyseShip();
        const auto target = dir_->path() / "out.ini";
        ui_->fileAnswers.push_back(Path(target));
        bool enabledWhileMessageShown = false;
        ui_->onMessage = [&](const QString&) {
            enabledWhileMessageShown = Button("Command3")->isEnabled();
        };
        QTest::mouseClick(Button("Command3"), Qt::LeftButton);

        QCOMPARE(ui_->fileRequests.size(), std::size_t{1});
        const FileDialogRequest& request = ui_->fileRequests.front();
        QCOMPARE(request.mode, FileDialogRequest::Mode::Save);
        QCOMPARE(request.fileName, QString("ship1.ini"));
        QCOMPARE(request.filters.first().first, QString("INI files (*.ini)"));
        QCOMPARE(request.filters.first().second, QString("*.ini"));
        QVERIFY(Dialog("CommonDialog2")->CancelError);

        QCOMPARE(TempDir::Read(target), std::string(kShipSailorpoints));
        QCOMPARE(ui_->messages, QStringList{"File successfully converted!"});
        QVERIFY(enabledWhileMessageShown);
        QVERIFY(!Button("Command3")->isEnabled());
        QCOMPARE(Label2()->text(), QString(kShipSummary));
    }

    void convert_cancelled_writesNothingAndStaysReady() {
        AnalyseShip();
        ui_->fileAnswers.push_back(std::nullopt);
        QTest::mouseClick(Button("Command3"), Qt::LeftButton);
        QVERIFY(ui_->messages.isEmpty());
        QVERIFY(Button("Command3")->isEnabled());
        QCOMPARE(Dialog("CommonDialog2")->FileName, QString("ship1.ini"));
        QVERIFY(!std::filesystem::exists(dir_->path() / "ship1.ini"));
    }

    void convert_unwritablePath_failsSilentlyAndKeepsTheOldFile() {
        AnalyseShip();
        ui_->fileAnswers.push_back(Path(dir_->path() / "no such folder" / "ship1.ini"));
        QTest::mouseClick(Button("Command3"), Qt::LeftButton);
        QVERIFY(ui_->messages.isEmpty());
        QVERIFY(Button("Command3")->isEnabled());

        // A folder of that name where the file should go: the write fails, nothing is lost.
        const auto blocked = dir_->path() / "taken.ini";
        std::filesystem::create_directory(blocked);
        ui_->fileAnswers.push_back(Path(blocked));
        QTest::mouseClick(Button("Command3"), Qt::LeftButton);
        QVERIFY(ui_->messages.isEmpty());
        QVERIFY(std::filesystem::is_directory(blocked));
        QCOMPARE(std::distance(std::filesystem::directory_iterator(dir_->path()),
                               std::filesystem::directory_iterator()),
                 std::ptrdiff_t{2});  // ship_walk.c and the folder: no temporary file is left
    }

    void convert_replacesAnExistingFile() {
        AnalyseShip();
        const auto target = dir_->Write("old.ini", "old content");
        ui_->fileAnswers.push_back(Path(target));
        QTest::mouseClick(Button("Command3"), Qt::LeftButton);
        QCOMPARE(TempDir::Read(target), std::string(kShipSailorpoints));
    }

    void browse_putsTheChosenPathInAndLeavesReady() {
        AnalyseShip();
        const QString chosen = Path(dir_->path() / "other_walk.c");
        ui_->fileAnswers.push_back(chosen);
        QTest::mouseClick(Button("Command2"), Qt::LeftButton);
        QCOMPARE(ui_->fileRequests.back().mode, FileDialogRequest::Mode::Open);
        QCOMPARE(ui_->fileRequests.back().fileName, QString());
        QCOMPARE(ui_->fileRequests.back().filters.first().first, QString("C files (*.c)"));
        QCOMPARE(ui_->fileRequests.back().flags, 4);
        QCOMPARE(Text1()->text(), chosen);
        QCOMPARE(Label2()->text(), QString());
        QVERIFY(!Button("Command3")->isEnabled());

        // The next browse proposes the last choice; cancelling it puts that choice back.
        Text1()->setText("typed by hand");
        ui_->fileAnswers.push_back(std::nullopt);
        QTest::mouseClick(Button("Command2"), Qt::LeftButton);
        QCOMPARE(ui_->fileRequests.back().fileName, chosen);
        QCOMPARE(Text1()->text(), chosen);
    }

    void browse_firstCancel_emptiesATypedPath() {
        Text1()->setText("typed by hand");
        ui_->fileAnswers.push_back(std::nullopt);
        QTest::mouseClick(Button("Command2"), Qt::LeftButton);
        QCOMPARE(Text1()->text(), QString());
        QVERIFY(ui_->messages.isEmpty());
    }

    void typing_changesNothingElse() {
        AnalyseShip();
        Text1()->clear();
        QTest::keyClicks(Text1(), "elsewhere");
        QVERIFY(Button("Command3")->isEnabled());
        QCOMPARE(Label2()->text(), QString(kShipSummary));
    }

    void secondAnalysis_writesOnlyTheSecondFilesData() {
        AnalyseShip();
        // Fewer points, no types: nothing of the first file may show through.
        Analyse(Path(dir_->Write("boat_walk.c",
                                 "boat_walk_verts[0] = 7;boat_walk_verts[3] = 8;"
                                 "boat_walk_graph[0] = (1)*256 + (0);boat_walk_graph[1] = 0;")));
        QCOMPARE(
            Label2()->text(),
            QString("Ship model name: boat\r\n\r\nNumber of points = 1\r\nNumber of links = 1"));
        const auto target = dir_->path() / "boat1.ini";
        ui_->fileAnswers.push_back(Path(target));
        QTest::mouseClick(Button("Command3"), Qt::LeftButton);
        QCOMPARE(TempDir::Read(target),
                 std::string("\r\n[SIZE]\r\npoints = 1\r\nlinks = 1\r\n\r\n[POINT_DATA]\r\n"
                             "point 0 = 7,0,0,0\r\n\r\n[LINK_DATA]\r\nlink 0 = 1,0\r\n"));
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
