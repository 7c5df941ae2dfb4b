#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "gui/common_dialog.h"
#include "gui/form1.h"
#include "support/odd_paths.h"
#include "support/output_faults.h"
#include "support/window_under_test.h"

using walkconv::PathFromUtf8;
using walkconv::ScopedStorageFaults;
using walkconv::Utf8FromPath;
using walkconv::testing::FolderListing;
using walkconv::testing::NextTabStop;
using walkconv::testing::OddPlace;
using walkconv::testing::OddPlaces;
using walkconv::testing::OutputFault;
using walkconv::testing::OutputFaults;
using walkconv::testing::PrepareOutputFaults;
using walkconv::testing::TempDir;
using walkconv::testing::WindowUnderTest;
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
    std::unique_ptr<WindowUnderTest<Form1>> w_;

    void AnalyseShip() { w_->Analyse(w_->Path(w_->dir.Write("ship_walk.c", kShipWalk))); }

  private slots:
    void init() {
        w_ = std::make_unique<WindowUnderTest<Form1>>();
        QVERIFY(QTest::qWaitForWindowActive(w_->form.get()));
    }
    void cleanup() {
        QCOMPARE(w_->ui.unexpectedDialogs, 0);
        w_.reset();
    }

    void newWindow_isEmptyWithConvertDisabledAndFocusInTheInputBox() {
        QCOMPARE(w_->form->windowTitle(), QString("Walk to Sailorpoints converter - v.beta2"));
        QCOMPARE(w_->form->size(), QSize(419, 248));
        QCOMPARE(w_->form->minimumSize(), w_->form->maximumSize());
        const Qt::WindowFlags flags = w_->form->windowFlags();
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(!w_->form->windowIcon().isNull());

        QCOMPARE(w_->Text("Text1")->text(), QString());
        QCOMPARE(w_->Label("Label2")->text(), QString());
        QVERIFY(!w_->Button("Command3")->isEnabled());
        QCOMPARE(QApplication::focusWidget(), w_->Text("Text1"));
        QCOMPARE(w_->form->findChild<QLabel*>("Label1")->text(),
                 QString("Choose input Walk file:"));
        QCOMPARE(w_->Button("Command1")->text(), QString("Analyse"));
        QCOMPARE(w_->Button("Command2")->text(), QString("..."));
        QCOMPARE(w_->Button("Command3")->text(), QString("Convert!"));
    }

    void controls_standWhereTheTableSaysInTabOrder() {
        QCOMPARE(w_->Text("Text1")->geometry(), QRect(40, 40, 305, 19));
        QCOMPARE(w_->Button("Command1")->geometry(), QRect(40, 88, 113, 49));
        QCOMPARE(w_->Button("Command2")->geometry(), QRect(360, 32, 25, 25));
        QCOMPARE(w_->form->findChild<QLabel*>("Label1")->geometry(), QRect(40, 16, 225, 17));
        QCOMPARE(w_->Button("Command3")->geometry(), QRect(152, 168, 113, 49));
        QCOMPARE(w_->Label("Label2")->geometry(), QRect(176, 80, 209, 65));
        QCOMPARE(w_->Button("Command4")->geometry(), QRect(288, 168, 97, 49));
        QCOMPARE(w_->Button("Command4")->text(), QString("Show graph"));
        QVERIFY(!w_->Button("Command4")->isEnabled());

        AnalyseShip();  // a disabled Convert! takes no focus
        QCOMPARE(NextTabStop(w_->Text("Text1")), w_->Button("Command1"));
        QCOMPARE(NextTabStop(w_->Button("Command1")), w_->Button("Command2"));
        QCOMPARE(NextTabStop(w_->Button("Command2")), w_->Button("Command3"));
        QCOMPARE(NextTabStop(w_->Button("Command3")), w_->Button("Command4"));
        QCOMPARE(NextTabStop(w_->Button("Command4")), w_->Text("Text1"));
        for (const char* name : {"Command1", "Command2", "Command3", "Command4"}) {
            QVERIFY(!w_->Button(name)->isDefault());
            QVERIFY(!w_->Button(name)->autoDefault());
        }
    }

    void dialogs_offerWalkSourcesToOpenAndIniFilesToSave() {
        QCOMPARE(w_->Dialog("CommonDialog1")->Filter,
                 QString("C files (*.c)|*.c|All files (*.)|*|"));
        QCOMPARE(w_->Dialog("CommonDialog1")->Flags, 4);
        QCOMPARE(w_->Dialog("CommonDialog2")->Filter,
                 QString("INI files (*.ini)|*.ini|All files (*.)|*|"));
    }

    void analyse_validFile_showsSummaryAndEnablesConvert() {
        AnalyseShip();
        QCOMPARE(w_->Label("Label2")->text(), QString(kShipSummary));
        QVERIFY(w_->Button("Command3")->isEnabled());
        QVERIFY(w_->ui.messages.isEmpty());
    }

    void analyse_fileWithoutLinks_isRefusedInTheResultArea() {
        AnalyseShip();
        w_->Analyse(w_->Path(w_->dir.Write("boat_walk.c", "float boat_walk_verts[6];\n")));
        QCOMPARE(w_->Label("Label2")->text(), QString(" This file is not a valid walk file"));
        QVERIFY(!w_->Button("Command3")->isEnabled());
        QVERIFY(w_->ui.messages.isEmpty());
    }

    void analyse_brokenFile_showsTheErrorBoxAndClearsTheResult() {
        AnalyseShip();
        // A file name of six characters is too short to cut "_walk.c" from.
        w_->Analyse(w_->Path(w_->dir.Write("ship.c", kShipWalk)));
        QCOMPARE(w_->ui.messages, QStringList{"Error! Input file corrupted or not valid"});
        QCOMPARE(w_->Label("Label2")->text(), QString());
        QVERIFY(!w_->Button("Command3")->isEnabled());
        QCOMPARE(w_->Text("Text1")->text(), w_->Path(w_->dir.path() / "ship.c"));
    }

    void analyse_missingInput_clearsTheResultWithoutAMessage() {
        AnalyseShip();
        w_->Analyse(w_->Path(w_->dir.path() / "nothing_walk.c"));
        QCOMPARE(w_->Label("Label2")->text(), QString());
        QVERIFY(!w_->Button("Command3")->isEnabled());
        AnalyseShip();
        w_->Analyse(w_->Path(w_->dir.path()));  // a folder is no input file
        QVERIFY(!w_->Button("Command3")->isEnabled());
        AnalyseShip();
        w_->Analyse(QString());
        QVERIFY(!w_->Button("Command3")->isEnabled());
        QVERIFY(w_->ui.messages.isEmpty());
        // What was analysed last is still what the state holds.
        QCOMPARE(w_->form->State().ModelName, std::string("ship"));
    }

    void convert_proposesTheModelNameAndWritesTheFile() {
        AnalyseShip();
        const auto target = w_->dir.path() / "out.ini";
        w_->ui.fileAnswers.push_back(w_->Path(target));
        bool enabledWhileMessageShown = false;
        w_->ui.onMessage = [&](const QString&) {
            enabledWhileMessageShown = w_->Button("Command3")->isEnabled();
        };
        w_->Click("Command3");

        QCOMPARE(w_->ui.fileRequests.size(), std::size_t{1});
        const FileDialogRequest& request = w_->ui.fileRequests.front();
        QCOMPARE(request.mode, FileDialogRequest::Mode::Save);
        QCOMPARE(request.fileName, QString("ship1.ini"));
        QCOMPARE(request.filters.first().first, QString("INI files (*.ini)"));
        QCOMPARE(request.filters.first().second, QString("*.ini"));
        QVERIFY(w_->Dialog("CommonDialog2")->CancelError);

        QCOMPARE(TempDir::Read(target), std::string(kShipSailorpoints));
        QCOMPARE(w_->ui.messages, QStringList{"File successfully converted!"});
        QVERIFY(enabledWhileMessageShown);
        QVERIFY(!w_->Button("Command3")->isEnabled());
        QCOMPARE(w_->Label("Label2")->text(), QString(kShipSummary));
    }

    void convert_cancelled_writesNothingAndStaysReady() {
        AnalyseShip();
        w_->ui.fileAnswers.push_back(std::nullopt);
        w_->Click("Command3");
        QVERIFY(w_->ui.messages.isEmpty());
        QVERIFY(w_->Button("Command3")->isEnabled());
        QCOMPARE(w_->Dialog("CommonDialog2")->FileName, QString("ship1.ini"));
        QVERIFY(!std::filesystem::exists(w_->dir.path() / "ship1.ini"));
    }

    void convert_failedSave_showsNothingKeepsTheOldFileAndStaysReady() {
        AnalyseShip();
        PrepareOutputFaults(w_->dir);
        const auto before = FolderListing(w_->dir.path());
        for (const OutputFault& fault : OutputFaults()) {
            const ScopedStorageFaults faults(fault.faults);
            w_->ConvertTo(w_->dir.path() / fault.target);
            QVERIFY2(w_->ui.messages.isEmpty(), fault.name);
            QVERIFY2(w_->Button("Command3")->isEnabled(), fault.name);
            QCOMPARE(w_->Label("Label2")->text(), QString(kShipSummary));
            // The old file byte for byte, the folder in the way untouched, no temporary file.
            QVERIFY2(FolderListing(w_->dir.path()) == before, fault.name);
        }
        // Once the disk is back, the same window saves.
        w_->ConvertTo(w_->dir.path() / "old1.ini");
        QCOMPARE(TempDir::Read(w_->dir.path() / "old1.ini"), std::string(kShipSailorpoints));
    }

    void convert_replacesAnExistingFile() {
        AnalyseShip();
        const auto target = w_->dir.Write("old.ini", "old content");
        w_->ConvertTo(target);
        QCOMPARE(TempDir::Read(target), std::string(kShipSailorpoints));
    }

    void oddPaths_analyseAndConvertWithTheModelNameCutByCharacters() {
        for (const OddPlace& place : OddPlaces(w_->dir)) {
            const auto input = place.folder / PathFromUtf8(place.walkName);
            TempDir::WriteFile(input, kShipWalk);
            w_->Analyse(QString::fromStdString(Utf8FromPath(input)));
            const QString summary =
                QString::fromStdString("Ship model name: " + place.model +
                                       "\r\n\r\nNumber of points = 2\r\nNumber of links = 1");
            QVERIFY2(w_->Label("Label2")->text() == summary, place.kind.c_str());

            const auto output = place.folder / PathFromUtf8(place.model + "1.ini");
            w_->ConvertTo(output);
            QCOMPARE(w_->ui.fileRequests.back().fileName,
                     QString::fromStdString(place.model + "1.ini"));
            QVERIFY2(TempDir::Read(output) == kShipSailorpoints, place.kind.c_str());
        }
    }

    void browse_putsTheChosenPathInAndLeavesReady() {
        AnalyseShip();
        const QString chosen = w_->Path(w_->dir.path() / "other_walk.c");
        w_->ui.fileAnswers.push_back(chosen);
        w_->Click("Command2");
        QCOMPARE(w_->ui.fileRequests.back().mode, FileDialogRequest::Mode::Open);
        QCOMPARE(w_->ui.fileRequests.back().fileName, QString());
        QCOMPARE(w_->ui.fileRequests.back().filters.first().first, QString("C files (*.c)"));
        QCOMPARE(w_->Text("Text1")->text(), chosen);
        QCOMPARE(w_->Label("Label2")->text(), QString());
        QVERIFY(!w_->Button("Command3")->isEnabled());

        // The next browse proposes the last choice; cancelling it puts that choice back.
        w_->Text("Text1")->setText("typed by hand");
        w_->ui.fileAnswers.push_back(std::nullopt);
        w_->Click("Command2");
        QCOMPARE(w_->ui.fileRequests.back().fileName, chosen);
        QCOMPARE(w_->Text("Text1")->text(), chosen);
    }

    void browse_firstCancel_emptiesATypedPath() {
        w_->Text("Text1")->setText("typed by hand");
        w_->ui.fileAnswers.push_back(std::nullopt);
        w_->Click("Command2");
        QCOMPARE(w_->Text("Text1")->text(), QString());
        QVERIFY(w_->ui.messages.isEmpty());
    }

    void typing_changesNothingElse() {
        AnalyseShip();
        w_->Text("Text1")->clear();
        QTest::keyClicks(w_->Text("Text1"), "elsewhere");
        QVERIFY(w_->Button("Command3")->isEnabled());
        QCOMPARE(w_->Label("Label2")->text(), QString(kShipSummary));
    }

    void secondAnalysis_writesOnlyTheSecondFilesData() {
        AnalyseShip();
        // Fewer points, no types: nothing of the first file may show through.
        w_->Analyse(
            w_->Path(w_->dir.Write("boat_walk.c",
                                   "boat_walk_verts[0] = 7;boat_walk_verts[3] = 8;"
                                   "boat_walk_graph[0] = (1)*256 + (0);boat_walk_graph[1] = 0;")));
        QCOMPARE(
            w_->Label("Label2")->text(),
            QString("Ship model name: boat\r\n\r\nNumber of points = 1\r\nNumber of links = 1"));
        const auto target = w_->dir.path() / "boat1.ini";
        w_->ConvertTo(target);
        QCOMPARE(TempDir::Read(target),
                 std::string("\r\n[SIZE]\r\npoints = 1\r\nlinks = 1\r\n\r\n[POINT_DATA]\r\n"
                             "point 0 = 7,0,0,0\r\n\r\n[LINK_DATA]\r\nlink 0 = 1,0\r\n"));
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
