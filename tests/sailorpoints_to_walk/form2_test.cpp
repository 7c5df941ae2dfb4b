#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "app/common_dialog.h"
#include "sailorpoints_to_walk/form2.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

using walkconv::testing::NextTabStop;
using walkconv::testing::ScriptedUi;
using walkconv::testing::TempDir;
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
    std::unique_ptr<ScriptedUi> ui_;
    std::unique_ptr<Form2> form_;
    std::unique_ptr<TempDir> dir_;

    QLineEdit* Text(const char* name) { return form_->findChild<QLineEdit*>(name); }
    QLabel* Label(const char* name) { return form_->findChild<QLabel*>(name); }
    QPushButton* Button(const char* name) { return form_->findChild<QPushButton*>(name); }
    QString Path(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

    void Analyse(const QString& path) {
        Text("Text1")->setText(path);
        QTest::mouseClick(Button("Command1"), Qt::LeftButton);
    }
    void AnalyseShip() { Analyse(Path(dir_->Write("ship1.ini", kShipSailorpoints))); }
    bool Ready() { return Button("Command3")->isEnabled() && Text("Text2")->isEnabled(); }
    bool NotReady() { return !Button("Command3")->isEnabled() && !Text("Text2")->isEnabled(); }

    // Convert! answered with `target` in the save dialog.
    void ConvertTo(const std::filesystem::path& target) {
        ui_->fileAnswers.push_back(Path(target));
        QTest::mouseClick(Button("Command3"), Qt::LeftButton);
    }

  private slots:
    void init() {
        ui_ = std::make_unique<ScriptedUi>();
        dir_ = std::make_unique<TempDir>();
        form_ = std::make_unique<Form2>();
        form_->show();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    }
    void cleanup() {
        form_.reset();
        QCOMPARE(ui_->unexpectedDialogs, 0);
        ui_.reset();
        dir_.reset();
    }

    void newWindow_isEmptyWithConvertAndModelNameDisabled() {
        QCOMPARE(form_->windowTitle(), QString("Sailorpoints to Walk converter - v.beta2"));
        QCOMPARE(form_->size(), QSize(419, 302));
        QCOMPARE(form_->minimumSize(), form_->maximumSize());
        QCOMPARE(Text("Text1")->text(), QString());
        QCOMPARE(Text("Text2")->text(), QString());
        QCOMPARE(Label("Label2")->text(), QString());
        QVERIFY(NotReady());
        QCOMPARE(QApplication::focusWidget(), Text("Text1"));
        QCOMPARE(Label("Label1")->text(), QString("Choose input Sailorpoints file:"));
        QCOMPARE(Label("Label3")->text(), QString("Output model name:"));
        QCOMPARE(Button("Command3")->geometry(), QRect(152, 232, 113, 49));
        QCOMPARE(Label("Label3")->geometry(), QRect(40, 168, 145, 17));
        QCOMPARE(Text("Text2")->geometry(), QRect(40, 192, 177, 19));

        const auto* open = form_->findChild<CommonDialog*>("CommonDialog1");
        QCOMPARE(open->Filter, QString("INI files (*.ini)|*.ini|All files (*.)|*|"));
        QCOMPARE(open->Flags, 4);
        QCOMPARE(form_->findChild<CommonDialog*>("CommonDialog2")->Filter,
                 QString("C files (*.c)|*.c|All files (*.)|*|"));
    }

    void tabOrder_followsTheTableWhenReady() {
        AnalyseShip();
        QCOMPARE(NextTabStop(Text("Text1")), Button("Command1"));
        QCOMPARE(NextTabStop(Button("Command1")), Button("Command3"));
        QCOMPARE(NextTabStop(Button("Command3")), Button("Command2"));
        QCOMPARE(NextTabStop(Button("Command2")), Text("Text2"));
        QCOMPARE(NextTabStop(Text("Text2")), Text("Text1"));
    }

    void analyse_validFile_proposesTheModelName() {
        AnalyseShip();
        QCOMPARE(
            Label("Label2")->text(),
            QString("Ship model name: ship\r\n\r\nNumber of points = 2\r\nNumber of links = 1"));
        QCOMPARE(Text("Text2")->text(), QString("ship"));
        QVERIFY(Ready());
        QVERIFY(ui_->messages.isEmpty());
    }

    void analyse_refusedFailedAndMissingInputs_emptyTheModelName() {
        AnalyseShip();
        Analyse(Path(dir_->Write("nolinks1.ini", "[POINT_DATA]\npoint 0 = 1,2,3,0\n")));
        QCOMPARE(Label("Label2")->text(), QString(" This file is not a valid sailorpoints file"));
        QCOMPARE(Text("Text2")->text(), QString());
        QVERIFY(NotReady());

        AnalyseShip();
        Analyse(Path(dir_->Write("a.in", kShipSailorpoints)));  // too short to cut "1.ini"
        QCOMPARE(ui_->messages, QStringList{"Error! Input file corrupted or not valid"});
        QCOMPARE(Label("Label2")->text(), QString());
        QCOMPARE(Text("Text2")->text(), QString());
        QVERIFY(NotReady());

        AnalyseShip();
        Analyse(Path(dir_->path() / "missing1.ini"));
        QCOMPARE(Label("Label2")->text(), QString());
        QCOMPARE(Text("Text2")->text(), QString());
        QVERIFY(NotReady());
        QCOMPARE(ui_->messages.size(), 1);
    }

    void convert_usesTheEditedNameAsTyped() {
        AnalyseShip();
        Text("Text2")->clear();
        QTest::keyClicks(Text("Text2"), " my boat");
        const auto target = dir_->path() / "out.c";
        ConvertTo(target);

        const FileDialogRequest& request = ui_->fileRequests.back();
        QCOMPARE(request.mode, FileDialogRequest::Mode::Save);
        QCOMPARE(request.fileName, QString(" my boat_walk.c"));
        QCOMPARE(request.filters.first().first, QString("C files (*.c)"));
        QCOMPARE(TempDir::Read(target), ShipWalk(" my boat"));
        QCOMPARE(ui_->messages, QStringList{"File successfully converted!"});
        QVERIFY(NotReady());
        QCOMPARE(Text("Text2")->text(), QString(" my boat"));  // kept after the conversion
    }

    void convert_withEmptyName_writesIdentifiersBeginningWithTheUnderscore() {
        AnalyseShip();
        Text("Text2")->clear();
        const auto target = dir_->path() / "_walk.c";
        ConvertTo(target);
        QCOMPARE(ui_->fileRequests.back().fileName, QString("_walk.c"));
        QCOMPARE(TempDir::Read(target), ShipWalk(""));
    }

    void convert_cancelledOrUnwritable_staysReadyWithoutAMessage() {
        AnalyseShip();
        ui_->fileAnswers.push_back(std::nullopt);
        QTest::mouseClick(Button("Command3"), Qt::LeftButton);
        ConvertTo(dir_->path() / "no such folder" / "ship_walk.c");
        QVERIFY(ui_->messages.isEmpty());
        QVERIFY(Ready());
        QCOMPARE(Text("Text2")->text(), QString("ship"));
    }

    void browse_emptiesAndDisablesTheModelName() {
        AnalyseShip();
        Text("Text2")->setText("typed name");
        const QString chosen = Path(dir_->path() / "other1.ini");
        ui_->fileAnswers.push_back(chosen);
        QTest::mouseClick(Button("Command2"), Qt::LeftButton);
        QCOMPARE(ui_->fileRequests.back().filters.first().first, QString("INI files (*.ini)"));
        QCOMPARE(Text("Text1")->text(), chosen);
        QCOMPARE(Label("Label2")->text(), QString());
        QCOMPARE(Text("Text2")->text(), QString());
        QVERIFY(NotReady());

        ui_->fileAnswers.push_back(std::nullopt);
        QTest::mouseClick(Button("Command2"), Qt::LeftButton);
        QCOMPARE(ui_->fileRequests.back().fileName, chosen);
        QCOMPARE(Text("Text1")->text(), chosen);
    }

    void secondAnalysis_writesOnlyTheSecondFilesData() {
        AnalyseShip();
        Analyse(Path(dir_->Write("boat1.ini", "[POINT_DATA]\r\n[LINK_DATA]\r\nlink 0 = 0,0\r\n")));
        const auto target = dir_->path() / "boat_walk.c";
        ConvertTo(target);
        const std::string written = TempDir::Read(target);
        QVERIFY(written.find("boat_walk_verts[0] = 0;\r\n") != std::string::npos);
        QVERIFY(written.find("boat_walk_types[0] = 0;\r\n") != std::string::npos);
        QVERIFY(written.find("boat_walk_graph[0] = (0)*256 + (0);\r\n") != std::string::npos);
    }
};

QTEST_MAIN(Form2Test)
#include "form2_test.moc"
