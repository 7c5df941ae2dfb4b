#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "gui/common_dialog.h"
#include "gui/form2.h"
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
using walkconv::ui::CommonDialog;
using walkconv::ui::FileDialogRequest;
using walkconv::ui::Form2;

namespace {

const char kShipSailorpoints[] =
    "\n[SIZE]\npoints = 2\nlinks = 1\n\n[POINT_DATA]\n"
    "point 0 = 1.5,0,-2.25,0\npoint 1 = 3,0.5,4,1\n\n[LINK_DATA]\nlink 0 = 0,1\n";

// The walk source of the two points and one link above, under a model name.
std::string ShipWalk(const std::string& m) {
    return "int " + m + "_walk_count;\r\nfloat " + m + "_walk_verts[6];\r\nint " + m +
           "_walk_types[2];\r\nint " + m + "_walk_graph[1];\r\n\r\nvoid " + m +
           "_walk_init()\r\n{\r\n        " + m + "_walk_count = 2;\r\n\r\n        " + m +
           "_walk_verts[0] = 1.5;\r\n        " + m + "_walk_verts[1] = 0;\r\n        " + m +
           "_walk_verts[2] = -2.25;\r\n        " + m + "_walk_verts[3] = 3;\r\n        " + m +
           "_walk_verts[4] = 0.5;\r\n        " + m + "_walk_verts[5] = 4;\r\n\r\n        " + m +
           "_walk_types[0] = 0;\r\n        " + m + "_walk_types[1] = 1;\r\n\r\n        " + m +
           "_walk_graph[0] = (0)*256 + (1);\r\n}\r\n";
}

}  // namespace

class Form2Test : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<WindowUnderTest<Form2>> w_;

    void AnalyseShip() { w_->Analyse(w_->Path(w_->dir.Write("ship1.ini", kShipSailorpoints))); }
    bool Ready() { return w_->Button("Command3")->isEnabled() && w_->Text("Text2")->isEnabled(); }
    bool NotReady() {
        return !w_->Button("Command3")->isEnabled() && !w_->Text("Text2")->isEnabled();
    }

  private slots:
    void init() {
        w_ = std::make_unique<WindowUnderTest<Form2>>();
        QVERIFY(QTest::qWaitForWindowActive(w_->form.get()));
    }
    void cleanup() {
        QCOMPARE(w_->ui.unexpectedDialogs, 0);
        w_.reset();
    }

    void newWindow_isEmptyWithConvertAndModelNameDisabled() {
        QCOMPARE(w_->form->windowTitle(), QString("Sailorpoints to Walk converter - v.beta2"));
        QCOMPARE(w_->form->size(), QSize(419, 302));
        QCOMPARE(w_->form->minimumSize(), w_->form->maximumSize());
        QCOMPARE(w_->Text("Text1")->text(), QString());
        QCOMPARE(w_->Text("Text2")->text(), QString());
        QCOMPARE(w_->Label("Label2")->text(), QString());
        QVERIFY(NotReady());
        QCOMPARE(QApplication::focusWidget(), w_->Text("Text1"));
        QCOMPARE(w_->Label("Label1")->text(), QString("Choose input Sailorpoints file:"));
        QCOMPARE(w_->Label("Label3")->text(), QString("Output model name:"));
        QCOMPARE(w_->Button("Command3")->geometry(), QRect(152, 232, 113, 49));
        QCOMPARE(w_->Label("Label3")->geometry(), QRect(40, 168, 145, 17));
        QCOMPARE(w_->Text("Text2")->geometry(), QRect(40, 192, 177, 19));
        QCOMPARE(w_->Button("Command4")->geometry(), QRect(288, 232, 97, 49));
        QCOMPARE(w_->Button("Command4")->text(), QString("Show graph"));
        QVERIFY(!w_->Button("Command4")->isEnabled());
        QVERIFY(!w_->Button("Command4")->autoDefault());

        const auto* open = w_->form->findChild<CommonDialog*>("CommonDialog1");
        QCOMPARE(open->Filter, QString("INI files (*.ini)|*.ini|All files (*.)|*|"));
        QCOMPARE(open->Flags, 4);
        QCOMPARE(w_->form->findChild<CommonDialog*>("CommonDialog2")->Filter,
                 QString("C files (*.c)|*.c|All files (*.)|*|"));
    }

    void tabOrder_followsTheTableWhenReady() {
        AnalyseShip();
        QCOMPARE(NextTabStop(w_->Text("Text1")), w_->Button("Command1"));
        QCOMPARE(NextTabStop(w_->Button("Command1")), w_->Button("Command3"));
        QCOMPARE(NextTabStop(w_->Button("Command3")), w_->Button("Command2"));
        QCOMPARE(NextTabStop(w_->Button("Command2")), w_->Text("Text2"));
        QCOMPARE(NextTabStop(w_->Text("Text2")), w_->Button("Command4"));
        QCOMPARE(NextTabStop(w_->Button("Command4")), w_->Text("Text1"));
    }

    void analyse_validFile_proposesTheModelName() {
        AnalyseShip();
        QCOMPARE(
            w_->Label("Label2")->text(),
            QString("Ship model name: ship\r\n\r\nNumber of points = 2\r\nNumber of links = 1"));
        QCOMPARE(w_->Text("Text2")->text(), QString("ship"));
        QVERIFY(Ready());
        QVERIFY(w_->ui.messages.isEmpty());
    }

    void analyse_refusedFailedAndMissingInputs_emptyTheModelName() {
        AnalyseShip();
        w_->Analyse(w_->Path(w_->dir.Write("nolinks1.ini", "[POINT_DATA]\npoint 0 = 1,2,3,0\n")));
        QCOMPARE(w_->Label("Label2")->text(),
                 QString(" This file is not a valid sailorpoints file"));
        QCOMPARE(w_->Text("Text2")->text(), QString());
        QVERIFY(NotReady());

        AnalyseShip();
        w_->Analyse(
            w_->Path(w_->dir.Write("a.in", kShipSailorpoints)));  // too short to cut "1.ini"
        QCOMPARE(w_->ui.messages, QStringList{"Error! Input file corrupted or not valid"});
        QCOMPARE(w_->Label("Label2")->text(), QString());
        QCOMPARE(w_->Text("Text2")->text(), QString());
        QVERIFY(NotReady());

        AnalyseShip();
        w_->Analyse(w_->Path(w_->dir.path() / "missing1.ini"));
        QCOMPARE(w_->Label("Label2")->text(), QString());
        QCOMPARE(w_->Text("Text2")->text(), QString());
        QVERIFY(NotReady());
        QCOMPARE(w_->ui.messages.size(), 1);
    }

    void convert_usesTheEditedNameAsTyped() {
        AnalyseShip();
        w_->Text("Text2")->clear();
        QTest::keyClicks(w_->Text("Text2"), " my boat");
        const auto target = w_->dir.path() / "out.c";
        w_->ConvertTo(target);

        const FileDialogRequest& request = w_->ui.fileRequests.back();
        QCOMPARE(request.mode, FileDialogRequest::Mode::Save);
        QCOMPARE(request.fileName, QString(" my boat_walk.c"));
        QCOMPARE(request.filters.first().first, QString("C files (*.c)"));
        QCOMPARE(TempDir::Read(target), ShipWalk(" my boat"));
        QCOMPARE(w_->ui.messages, QStringList{"File successfully converted!"});
        QVERIFY(NotReady());
        QCOMPARE(w_->Text("Text2")->text(), QString(" my boat"));  // kept after the conversion
    }

    void convert_withEmptyName_writesIdentifiersBeginningWithTheUnderscore() {
        AnalyseShip();
        w_->Text("Text2")->clear();
        const auto target = w_->dir.path() / "_walk.c";
        w_->ConvertTo(target);
        QCOMPARE(w_->ui.fileRequests.back().fileName, QString("_walk.c"));
        QCOMPARE(TempDir::Read(target), ShipWalk(""));
    }

    void convert_cancelled_staysReadyWithoutAMessage() {
        AnalyseShip();
        w_->ui.fileAnswers.push_back(std::nullopt);
        w_->Click("Command3");
        QVERIFY(w_->ui.messages.isEmpty());
        QVERIFY(Ready());
        QCOMPARE(w_->Text("Text2")->text(), QString("ship"));
    }

    void convert_failedSave_showsNothingKeepsTheOldFileAndStaysReady() {
        AnalyseShip();
        PrepareOutputFaults(w_->dir);
        const auto before = FolderListing(w_->dir.path());
        for (const OutputFault& fault : OutputFaults()) {
            const ScopedStorageFaults faults(fault.faults);
            w_->ConvertTo(w_->dir.path() / fault.target);
            QVERIFY2(w_->ui.messages.isEmpty(), fault.name);
            QVERIFY2(Ready(), fault.name);
            QCOMPARE(w_->Text("Text2")->text(), QString("ship"));
            QVERIFY2(FolderListing(w_->dir.path()) == before, fault.name);
        }
        w_->ConvertTo(w_->dir.path() / "old1.ini");
        QCOMPARE(TempDir::Read(w_->dir.path() / "old1.ini"), ShipWalk("ship"));
    }

    void oddPaths_analyseAndConvertWithTheModelNameCutByCharacters() {
        for (const OddPlace& place : OddPlaces(w_->dir)) {
            const auto input = place.folder / PathFromUtf8(place.sailorpointsName);
            TempDir::WriteFile(input, kShipSailorpoints);
            w_->Analyse(QString::fromStdString(Utf8FromPath(input)));
            QVERIFY2(w_->Text("Text2")->text() == QString::fromStdString(place.model),
                     place.kind.c_str());

            const auto output = place.folder / PathFromUtf8(place.model + "_walk.c");
            w_->ConvertTo(output);
            QCOMPARE(w_->ui.fileRequests.back().fileName,
                     QString::fromStdString(place.model + "_walk.c"));
            QVERIFY2(TempDir::Read(output) == ShipWalk(place.model), place.kind.c_str());
        }
    }

    void browse_emptiesAndDisablesTheModelName() {
        AnalyseShip();
        w_->Text("Text2")->setText("typed name");
        const QString chosen = w_->Path(w_->dir.path() / "other1.ini");
        w_->ui.fileAnswers.push_back(chosen);
        w_->Click("Command2");
        QCOMPARE(w_->ui.fileRequests.back().filters.first().first, QString("INI files (*.ini)"));
        QCOMPARE(w_->Text("Text1")->text(), chosen);
        QCOMPARE(w_->Label("Label2")->text(), QString());
        QCOMPARE(w_->Text("Text2")->text(), QString());
        QVERIFY(NotReady());

        w_->ui.fileAnswers.push_back(std::nullopt);
        w_->Click("Command2");
        QCOMPARE(w_->ui.fileRequests.back().fileName, chosen);
        QCOMPARE(w_->Text("Text1")->text(), chosen);
    }

    void secondAnalysis_writesOnlyTheSecondFilesData() {
        AnalyseShip();
        w_->Analyse(w_->Path(
            w_->dir.Write("boat1.ini", "[POINT_DATA]\r\n[LINK_DATA]\r\nlink 0 = 0,0\r\n")));
        const auto target = w_->dir.path() / "boat_walk.c";
        w_->ConvertTo(target);
        const std::string written = TempDir::Read(target);
        QVERIFY(written.find("boat_walk_verts[0] = 0;\r\n") != std::string::npos);
        QVERIFY(written.find("boat_walk_types[0] = 0;\r\n") != std::string::npos);
        QVERIFY(written.find("boat_walk_graph[0] = (0)*256 + (0);\r\n") != std::string::npos);
    }
};

QTEST_MAIN(Form2Test)
#include "form2_test.moc"
