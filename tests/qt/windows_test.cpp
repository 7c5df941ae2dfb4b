// The three windows as their tables give them, and the chooser's wiring.
#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

#include "app/direction.h"
#include "app/window_tables.h"
#include "qt/chooser_window.h"
#include "qt/converter_window.h"
#include "qt/window_style.h"
#include "qt_test_support.h"

using walkconv::app::ControlKind;
using walkconv::app::ControlSpec;
using walkconv::app::TwipsToPixels;
using walkconv::app::WindowSpec;
using walkconv::qt::ChooserWindow;
using walkconv::qt::ConverterWindow;
using walkconv::qt::ToQt;
using walkconv::testing::NextTabStop;

namespace {

// The visible top-level windows other than `except`.
QWidgetList OtherWindows(QWidget* except) {
    QWidgetList windows;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w != except) {
            windows << w;
        }
    }
    return windows;
}

std::unique_ptr<QWidget> Create(const QString& name, walkconv::app::Host& host) {
    if (name == "Form3") {
        return std::make_unique<ChooserWindow>(&host);
    }
    return std::make_unique<ConverterWindow>(
        name == "Form1" ? walkconv::app::WalkToSailorpoints() : walkconv::app::SailorpointsToWalk(),
        &host);
}

const WindowSpec& Spec(const QString& name) {
    return name == "Form3"   ? walkconv::app::ChooserWindow()
           : name == "Form1" ? walkconv::app::WalkToSailorpointsWindow()
                             : walkconv::app::SailorpointsToWalkWindow();
}

}  // namespace

class WindowsTest : public QObject {
    Q_OBJECT

  private:
    QPointer<QWidget> chooser_;

    QRadioButton* Option(const char* name) { return chooser_->findChild<QRadioButton*>(name); }
    QPushButton* Ok() { return chooser_->findChild<QPushButton*>("Command1"); }

    void OpenChooser() {
        chooser_ = new ChooserWindow();
        chooser_->setAttribute(Qt::WA_DeleteOnClose);
        chooser_->show();
        QVERIFY(QTest::qWaitForWindowActive(chooser_));
    }

  private slots:
    void cleanup() {
        delete chooser_;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            delete w;
        }
    }

    void window_isBuiltFromItsTable_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("chooser") << "Form3";
        QTest::newRow("walk to sailorpoints") << "Form1";
        QTest::newRow("sailorpoints to walk") << "Form2";
    }
    void window_isBuiltFromItsTable() {
        QFETCH(QString, name);
        walkconv::testing::ScriptedQtHost host;
        const std::unique_ptr<QWidget> window = Create(name, host);
        const WindowSpec& spec = Spec(name);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));

        QCOMPARE(window->objectName(), name);
        QCOMPARE(window->windowTitle(), ToQt(spec.caption));
        QCOMPARE(window->size(),
                 QSize(TwipsToPixels(spec.widthTwips), TwipsToPixels(spec.heightTwips)));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        const Qt::WindowFlags flags = window->windowFlags();
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(!window->windowIcon().isNull());

        QWidget* previousStop = nullptr;
        for (const ControlSpec& control : spec.controls) {
            auto* widget = window->findChild<QWidget*>(ToQt(control.name));
            QVERIFY2(widget != nullptr, control.name.data());
            QCOMPARE(widget->geometry(),
                     QRect(TwipsToPixels(control.left), TwipsToPixels(control.top),
                           TwipsToPixels(control.width), TwipsToPixels(control.height)));
            if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
                QCOMPARE(button->text(), ToQt(control.caption));
            } else if (auto* label = qobject_cast<QLabel*>(widget)) {
                QCOMPARE(label->text(), ToQt(control.caption));
            }
            if (auto* button = qobject_cast<QPushButton*>(widget)) {
                QVERIFY(!button->isDefault() && !button->autoDefault());
            }
            if (control.kind == ControlKind::Label) {
                continue;  // labels never take the focus
            }
            // Tab order: the table's, through every control that takes the focus, disabled
            // ones included (Tab then passes them by).
            if (previousStop != nullptr) {
                QWidget* next = previousStop->nextInFocusChain();
                while (next->focusPolicy() == Qt::NoFocus) {
                    next = next->nextInFocusChain();
                }
                QCOMPARE(next, widget);
            } else {
                QCOMPARE(QApplication::focusWidget(), widget);  // the first has the focus
            }
            previousStop = widget;
        }
    }

    void converter_disabledControlsAreSkippedByTab() {
        walkconv::testing::ScriptedQtHost host;
        ConverterWindow form(walkconv::app::SailorpointsToWalk(), &host);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(NextTabStop(form.findChild<QWidget*>("Command1")),
                 form.findChild<QWidget*>("Command2"));
    }

    void options_excludeEachOtherAndTheWrappedCaptionSelectsToo() {
        OpenChooser();
        QTest::mouseClick(Option("Option1"), Qt::LeftButton);
        QTest::mouseClick(Option("Option2"), Qt::LeftButton);
        QVERIFY(!Option("Option1")->isChecked());
        QVERIFY(Option("Option2")->isChecked());
        QTest::mouseClick(Option("Option1"), Qt::LeftButton, {}, QPoint(150, 28));
        QVERIFY(Option("Option1")->isChecked());
    }

    void ok_withNothingSelectedChangesNothing() {
        OpenChooser();
        QTest::mouseClick(Ok(), Qt::LeftButton);
        QVERIFY(chooser_ && chooser_->isVisible());
        QVERIFY(OtherWindows(chooser_).isEmpty());
        // Enter and Escape trigger no button.
        QTest::mouseClick(Option("Option1"), Qt::LeftButton);
        QTest::keyClick(chooser_, Qt::Key_Return);
        QTest::keyClick(chooser_, Qt::Key_Escape);
        QVERIFY(chooser_ && chooser_->isVisible());
        QVERIFY(OtherWindows(chooser_).isEmpty());
    }

    void ok_opensTheChosenConverterWindowAndClosesTheChooser_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("window");
        QTest::newRow("walk to sailorpoints") << "Option1"
                                              << "Form1";
        QTest::newRow("sailorpoints to walk") << "Option2"
                                              << "Form2";
    }
    void ok_opensTheChosenConverterWindowAndClosesTheChooser() {
        QFETCH(QString, option);
        QFETCH(QString, window);
        OpenChooser();
        QTest::mouseClick(Option(qPrintable(option)), Qt::LeftButton);
        QTest::mouseClick(Ok(), Qt::LeftButton);
        QTRY_VERIFY(!chooser_);  // closed and deleted
        const QWidgetList windows = OtherWindows(nullptr);
        QCOMPARE(windows.size(), 1);
        QCOMPARE(windows.first()->objectName(), window);
        QVERIFY(windows.first()->testAttribute(Qt::WA_DeleteOnClose));
        QVERIFY(!windows.first()->findChild<QPushButton*>("Command3")->isEnabled());
    }
};

QTEST_MAIN(WindowsTest)
#include "windows_test.moc"
