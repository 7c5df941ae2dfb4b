// The real QFileDialog, QMessageBox and QSettings behind the windows' host, the dialogs driven by
// a timer that answers them as a user would.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "app/window_tables.h"
#include "qt/model_dialog.h"
#include "qt/qt_host.h"
#include "support/temp_dir.h"

using walkconv::app::FileFilter;
using walkconv::app::FileRequest;
using walkconv::qt::QtHost;
using walkconv::testing::TempDir;

namespace {

// Runs `answer` on the first modal widget of type T that opens, as soon as it is shown.
template <typename T>
void AnswerWhenShown(std::function<void(T*)> answer) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        if (auto* widget = qobject_cast<T*>(QApplication::activeModalWidget());
            widget && widget->isVisible()) {
            timer->stop();
            timer->deleteLater();
            answer(widget);
        }
    });
    timer->start();
}

QStringList ShownFileTypes(QFileDialog* dialog) {
    QStringList shown;
    if (auto* combo = dialog->findChild<QComboBox*>("fileTypeCombo")) {
        for (int i = 0; i < combo->count(); ++i) {
            shown << combo->itemText(i);
        }
    }
    return shown;
}

}  // namespace

class QtDialogsTest : public QObject {
    Q_OBJECT

  private slots:
    void openDialog_showsTheDescriptionsAndFiltersByThePatterns() {
        TempDir dir;
        const auto file = dir.Write("ship_walk.c", "x");
        dir.Write("notes.txt", "x");
        QWidget window;
        QtHost host(&window);
        FileRequest request;
        request.fileName = file.string();
        request.filters = walkconv::app::WalkSourceFilters();

        QStringList shownTypes;
        QStringList patterns;
        QStringList proposed;
        AnswerWhenShown<QFileDialog>([&](QFileDialog* d) {
            shownTypes = ShownFileTypes(d);
            patterns = d->findChild<QFileSystemModel*>()->nameFilters();
            proposed = d->selectedFiles();
            QCOMPARE(d->acceptMode(), QFileDialog::AcceptOpen);
            // The user picks the second file type.
            auto* combo = d->findChild<QComboBox*>("fileTypeCombo");
            combo->setCurrentIndex(1);
            emit combo->activated(1);
            patterns += d->findChild<QFileSystemModel*>()->nameFilters();
            QMetaObject::invokeMethod(d, "accept");
        });
        QCOMPARE(host.ChooseFile(request).value_or("cancelled"), file.string());
        QCOMPARE(shownTypes, QStringList({"C files (*.c)", "All files (*.)"}));
        QCOMPARE(patterns, QStringList({"*.c", "*"}));
        QCOMPARE(proposed, QStringList{QString::fromStdString(file.string())});
    }

    void saveDialog_returnsTheTypedPathOrNothingWhenCancelled() {
        TempDir dir;
        QWidget window;
        QtHost host(&window);
        FileRequest request;
        request.mode = FileRequest::Mode::Save;
        request.fileName = "ship1.ini";
        request.filters = walkconv::app::SailorpointsFilters();

        const QString target = QString::fromStdString((dir.path() / "chosen.ini").string());
        AnswerWhenShown<QFileDialog>([&](QFileDialog* d) {
            QCOMPARE(d->acceptMode(), QFileDialog::AcceptSave);
            d->findChild<QLineEdit*>("fileNameEdit")->setText(target);
            QMetaObject::invokeMethod(d, "accept");
        });
        QCOMPARE(host.ChooseFile(request).value_or("cancelled"), target.toStdString());

        AnswerWhenShown<QFileDialog>([](QFileDialog* d) { d->reject(); });
        QVERIFY(!host.ChooseFile(request));
    }

    void dialog_opensInTheRequestedFolderUnlessTheNameHasOne_data() {
        QTest::addColumn<bool>("save");
        QTest::addColumn<QString>("fileName");  // "<dir>" stands for the test's folder
        QTest::addColumn<QString>("opensIn");   // "<dir>/in", or "" for the working folder
        QTest::newRow("open, no name") << false << ""
                                       << "<dir>/in";
        QTest::newRow("save, a name alone") << true << "ship1.ini"
                                            << "<dir>/in";
        QTest::newRow("open, a full path") << false << "<dir>/other/ship_walk.c"
                                           << "<dir>/other";
    }
    void dialog_opensInTheRequestedFolderUnlessTheNameHasOne() {
        QFETCH(bool, save);
        QFETCH(QString, fileName);
        QFETCH(QString, opensIn);
        TempDir dir;
        const QString root = QString::fromStdString(dir.path().string());
        std::filesystem::create_directory(dir.path() / "in");
        std::filesystem::create_directory(dir.path() / "other");
        FileRequest request;
        request.mode = save ? FileRequest::Mode::Save : FileRequest::Mode::Open;
        request.fileName = QString(fileName).replace("<dir>", root).toStdString();
        request.folder = (root + "/in").toStdString();
        QString shownFolder;
        AnswerWhenShown<QFileDialog>([&](QFileDialog* d) {
            shownFolder = d->directory().absolutePath();
            d->reject();
        });
        QWidget window;
        QtHost host(&window);
        QVERIFY(!host.ChooseFile(request));
        QCOMPARE(shownFolder, QString(opensIn).replace("<dir>", root));
    }

    // The rules of the ending are app::WithTypeEnding's (tests/app); here, that the type chosen
    // in the real dialog reaches them.
    void saveDialog_addsTheEndingOfTheTypeChosenInTheDialog() {
        TempDir dir;
        const QString root = QString::fromStdString(dir.path().string());
        FileRequest request;
        request.mode = FileRequest::Mode::Save;
        request.fileName = "proposed.png";
        request.filters = walkconv::app::PictureFilters();
        request.addTypeEnding = true;
        AnswerWhenShown<QFileDialog>([&](QFileDialog* d) {
            auto* combo = d->findChild<QComboBox*>("fileTypeCombo");
            combo->setCurrentIndex(1);
            emit combo->activated(1);
            d->findChild<QLineEdit*>("fileNameEdit")->setText(root + "/picture");
            QMetaObject::invokeMethod(d, "accept");
        });
        QWidget window;
        QtHost host(&window);
        QCOMPARE(QString::fromStdString(host.ChooseFile(request).value_or("cancelled")),
                 root + "/picture.svg");
    }

    void messageBox_hasTheTitleOneOkButtonAndNoIcon() {
        QWidget window;
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::Warning;
        int buttons = 0;
        AnswerWhenShown<QMessageBox>([&](QMessageBox* box) {
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = int(box->buttons().size());
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        });
        QtHost(&window).ShowMessage("File successfully converted!");
        QCOMPARE(title, QString("Walk files converter"));
        QCOMPARE(text, QString("File successfully converted!"));
        QCOMPARE(icon, QMessageBox::NoIcon);
        QCOMPARE(buttons, 1);
    }

    void question_hasSaveDiscardAndCancelAndEscapeCancels_data() {
        QTest::addColumn<QString>("press");  // a button's text, or "Escape"
        QTest::addColumn<int>("answer");
        QTest::newRow("Save") << "Save" << int(QtHost::Answer::Save);
        QTest::newRow("Discard") << "Discard" << int(QtHost::Answer::Discard);
        QTest::newRow("Cancel") << "Cancel" << int(QtHost::Answer::Cancel);
        QTest::newRow("Escape") << "Escape" << int(QtHost::Answer::Cancel);
    }
    void question_hasSaveDiscardAndCancelAndEscapeCancels() {
        QFETCH(QString, press);
        QFETCH(int, answer);
        QWidget window;
        QString text;
        QStringList buttons;
        AnswerWhenShown<QMessageBox>([&](QMessageBox* box) {
            text = box->text();
            for (QAbstractButton* button : box->buttons()) {
                buttons << button->text();
            }
            if (press == "Escape") {
                QTest::keyClick(box, Qt::Key_Escape);
                return;
            }
            for (QAbstractButton* button : box->buttons()) {
                if (button->text() == press) {
                    QTest::mouseClick(button, Qt::LeftButton);
                }
            }
        });
        QCOMPARE(int(QtHost(&window).Ask("Save changes to the walking graph of ship?")), answer);
        QCOMPARE(text, QString("Save changes to the walking graph of ship?"));
        buttons.sort();
        QCOMPARE(buttons, QStringList({"Cancel", "Discard", "Save"}));
    }

    void rememberedFolders_lastInTheUsersSettingsPerKindOfWindow() {
        TempDir settings;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(settings.path().string()));
        QWidget window;
        QtHost host(&window);
        QCOMPARE(host.RememberedFolder("Form1"), std::string());
        host.RememberFolder("Form1", "/ships/in");
        host.RememberFolder("GraphWindow", "/ships/pictures");
        QCOMPARE(QtHost(&window).RememberedFolder("Form1"), std::string("/ships/in"));
        QCOMPARE(QSettings().value("GraphWindow/lastFolder").toString(),
                 QString("/ships/pictures"));
    }

    void rememberedTexts_keepAnyKeyApartInTheUsersSettings() {
        TempDir settings;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(settings.path().string()));
        QWidget window;
        const std::vector<std::string> keys{
            "ShipModel:/ships/brig1.ini", "ShipModel:/ships/brig1.ini/x",
            "ShipModel:C:\\ships\\brig1.ini", "ShipModel:/ships/\xC3\xA9t\xC3\xA9 100%.ini", "//"};
        for (std::size_t i = 0; i < keys.size(); ++i) {
            QtHost(&window).RememberText(keys[i], "Y\n1\n0\n0\n0\n" + std::to_string(i));
        }
        QtHost host(&window);
        for (std::size_t i = 0; i < keys.size(); ++i) {
            QCOMPARE(host.RememberedText(keys[i]), "Y\n1\n0\n0\n0\n" + std::to_string(i));
        }
        QCOMPARE(host.RememberedText("ShipModel:/ships"), std::string());
    }

    void modelDialog_showsTheFieldsAndOkTakesThemOnlyWhenTheyHold() {
        QWidget window;
        const walkconv::app::ModelFields shown{
            "/ships/brig.glb", walkconv::UpAxis::Z, "2", {"0", "-1.5", "3"}};
        QStringList seen;
        QString refusal;
        AnswerWhenShown<QDialog>([&](QDialog* dialog) {
            for (const char* name : {"ModelFile", "Scale", "OffsetX", "OffsetY", "OffsetZ"}) {
                seen << dialog->findChild<QLineEdit*>(name)->text();
            }
            seen << (dialog->findChild<QRadioButton*>("UpZ")->isChecked() ? "Z" : "Y");
            // A scale of 0 is refused in a message box, and the dialog stays.
            dialog->findChild<QLineEdit*>("Scale")->setText("0");
            AnswerWhenShown<QMessageBox>([&](QMessageBox* box) {
                refusal = box->text();
                box->accept();
                QVERIFY(dialog->isVisible());
                dialog->findChild<QLineEdit*>("Scale")->setText(" 0.5");
                dialog->findChild<QRadioButton*>("UpY")->setChecked(true);
                dialog->findChild<QPushButton*>("NoModel")->click();
                dialog->findChild<QPushButton*>("OK")->click();
            });
            dialog->findChild<QPushButton*>("OK")->click();
        });
        const auto taken = walkconv::qt::ShowModelDialog(&window, shown);
        QCOMPARE(seen, QStringList({"/ships/brig.glb", "2", "0", "-1.5", "3", "Z"}));
        QCOMPARE(refusal, QString("The scale must be a positive number."));
        QVERIFY(taken.has_value());
        QVERIFY((*taken ==
                 walkconv::app::ModelFields{"", walkconv::UpAxis::Y, " 0.5", {"0", "-1.5", "3"}}));

        AnswerWhenShown<QDialog>([](QDialog* dialog) {
            dialog->findChild<QLineEdit*>("Scale")->setText("7");
            dialog->findChild<QPushButton*>("Cancel")->click();
        });
        QVERIFY(!walkconv::qt::ShowModelDialog(&window, shown).has_value());
    }
};

QTEST_MAIN(QtDialogsTest)
#include "qt_dialogs_test.moc"
