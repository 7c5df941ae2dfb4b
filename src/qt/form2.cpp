#include "gui/form2.h"

#include <QLineEdit>
#include <QPushButton>
#include <array>

#include "core/file_names.h"
#include "core/messages.h"
#include "core/sailorpoints/sailorpoints_reader.h"
#include "core/walk/walk_writer.h"

namespace walkconv::ui {

namespace {

// In tab order; positions and sizes in twips.
constexpr std::array kControls{
    ControlSpec{"Text1", ControlKind::TextBox, "", 600, 600, 4575, 285},
    ControlSpec{"Command1", ControlKind::Button, "Analyse", 600, 1320, 1695, 735},
    ControlSpec{"Command3", ControlKind::Button, "Convert!", 2280, 3480, 1695, 735},
    ControlSpec{"Label2", ControlKind::Label, "", 2640, 1200, 3135, 975},
    ControlSpec{"Command2", ControlKind::Button, "...", 5400, 480, 375, 375},
    ControlSpec{"Label1", ControlKind::Label, "Choose input Sailorpoints file:", 600, 240, 3375,
                255},
    ControlSpec{"Label3", ControlKind::Label, "Output model name:", 600, 2520, 2175, 255},
    ControlSpec{"Text2", ControlKind::TextBox, "", 600, 2880, 2655, 285},
    ControlSpec{"Command4", ControlKind::Button, "Show graph", 4320, 3480, 1455, 735},
};

}  // namespace

Form2::Form2()
    : ConverterWindow(QStringLiteral("Sailorpoints to Walk converter - v.beta2"), 4530, kControls,
                      QStringLiteral("INI files (*.ini)|*.ini|All files (*.)|*|"),
                      QStringLiteral("C files (*.c)|*.c|All files (*.)|*|")),
      Text2(findChild<QLineEdit*>(QStringLiteral("Text2"))) {
    setObjectName(QStringLiteral("Form2"));
    Text2->setEnabled(false);
    Text2->clear();
    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form2::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form2::Command3_Click);
}

void Form2::SetReady(bool ready) {
    ConverterWindow::SetReady(ready);
    Text2->setEnabled(ready);
    Text2->setText(ready ? QString::fromStdString(state_.ModelName) : QString());
}

void Form2::ConversionDone() {
    ConverterWindow::ConversionDone();
    Text2->setEnabled(false);  // keeps the name it was written under
}

void Form2::Command1_Click() {
    ShowAnalysis(AnalyseSailorpoints(Text1->text().toStdString(), state_, &details_),
                 kNotValidSailorpointsText, nullptr);
}

void Form2::Command2_Click() {
    Browse();
}

void Form2::Command3_Click() {
    // The name as typed: not trimmed, and possibly empty.
    state_.ModelName = Text2->text().toStdString();
    Convert(kWalkSourceSuffix, WriteWalkSource);
}

}  // namespace walkconv::ui
