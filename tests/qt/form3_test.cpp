#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "gui/form3.h"

using walkconv::ui::Form3;

class Form3Test : public QObject {
    Q_OBJECT

  private:
    QPointer<Form3> chooser_;

    QRadioButton* Option(const char* name) { return chooser_->findChild<QRadioButton*>(name); }
    QPushButton* Ok() { return chooser_->findChild<QPushButton*>("Command1"); }

    // The visible top-level windows other than the chooser.
    static QWidgetList OtherWindows(QWidget* chooser) {
        QWidgetList windows;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible() && w != chooser) {
                windows << w;
            }
        }
        return windows;
    }

  private slots:
    void init() {
        chooser_ = new Form3();
        chooser_->setAttribute(Qt::WA_DeleteOnClose);
        chooser_->show();
        QVERIFY(QTest::qWaitForWindowActive(chooser_));
    }
    void cleanup() {
        delete chooser_;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            delete w;
        }
    }

    void chooser_looksAsDesignedWithNothingSelected() {
        QCOMPARE(chooser_->windowTitle(), QString("Walk files converter - v.beta2"));
        QCOMPARE(chooser_->size(), QSize(252, 163));
        QCOMPARE(chooser_->minimumSize(), chooser_->maximumSize());
        QVERIFY(!(chooser_->windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(chooser_->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(Option("Option1")->text(), QString("Convert a Walk file to a Sailorpoints file"));
        QCOMPARE(Option("Option2")->text(), QString("Convert a Sailorpoints file to a Walk file"));
        QCOMPARE(Ok()->text(), QString("OK"));
        QCOMPARE(Option("Option1")->geometry(), QRect(24, 16, 217, 33));
        QCOMPARE(Option("Option2")->geometry(), QRect(24, 56, 217, 33));
        QCOMPARE(Ok()->geometry(), QRect(88, 104, 73, 41));
        QVERIFY(!Option("Option1")->isChecked());
        QVERIFY(!Option("Option2")->isChecked());
        QCOMPARE(QApplication::focusWidget(), Option("Option1"));
        QCOMPARE(Option("Option1")->nextInFocusChain(), Option("Option2"));
        QCOMPARE(Option("Option2")->nextInFocusChain(), Ok());
        QVERIFY(!Ok()->isDefault() && !Ok()->autoDefault());
    }

    void options_excludeEachOther() {
        QTest::mouseClick(Option("Option1"), Qt::LeftButton);
        QTest::mouseClick(Option("Option2"), Qt::LeftButton);
        QVERIFY(!Option("Option1")->isChecked());
        QVERIFY(Option("Option2")->isChecked());
        // The wrapped second line of a caption selects too.
        QTest::mouseClick(Option("Option1"), Qt::LeftButton, {}, QPoint(150, 28));
        QVERIFY(Option("Option1")->isChecked());
    }

    void ok_withNothingSelected_changesNothing() {
        QTest::mouseClick(Ok(), Qt::LeftButton);
        QVERIFY(chooser_);
        QVERIFY(chooser_->isVisible());
        QVERIFY(OtherWindows(chooser_).isEmpty());
        // A later choice still works.
        QTest::mouseClick(Option("Option2"), Qt::LeftButton);
        QTest::mouseClick(Ok(), Qt::LeftButton);
        QTRY_VERIFY(!chooser_);
    }

    void ok_withWalkToSailorpoints_opensForm1AndClosesTheChooser() {
        QTest::mouseClick(Option("Option1"), Qt::LeftButton);
        QTest::mouseClick(Ok(), Qt::LeftButton);
        QTRY_VERIFY(!chooser_);  // closed and deleted
        const QWidgetList windows = OtherWindows(nullptr);
        QCOMPARE(windows.size(), 1);
        QCOMPARE(windows.first()->objectName(), QString("Form1"));
        QCOMPARE(windows.first()->windowTitle(),
                 QString("Walk to Sailorpoints converter - v.beta2"));
        QVERIFY(!windows.first()->findChild<QPushButton*>("Command3")->isEnabled());
        QCOMPARE(windows.first()->findChild<QLineEdit*>("Text1")->text(), QString());
    }

    void ok_withSailorpointsToWalk_opensForm2AndClosesTheChooser() {
        QTest::mouseClick(Option("Option2"), Qt::LeftButton);
        QTest::mouseClick(Ok(), Qt::LeftButton);
        QTRY_VERIFY(!chooser_);
        const QWidgetList windows = OtherWindows(nullptr);
        QCOMPARE(windows.size(), 1);
        QCOMPARE(windows.first()->objectName(), QString("Form2"));
        QCOMPARE(windows.first()->windowTitle(),
                 QString("Sailorpoints to Walk converter - v.beta2"));
        QVERIFY(windows.first()->testAttribute(Qt::WA_DeleteOnClose));
    }

    void keyboard_enterAndEscapeTriggerNoButton() {
        QTest::mouseClick(Option("Option1"), Qt::LeftButton);
        QTest::keyClick(chooser_, Qt::Key_Return);
        QTest::keyClick(chooser_, Qt::Key_Escape);
        QVERIFY(chooser_ && chooser_->isVisible());
        QVERIFY(OtherWindows(chooser_).isEmpty());
    }
};

QTEST_MAIN(Form3Test)
#include "form3_test.moc"
