#include "gui/form1.h"

#include <QLineEdit>
#include <QPushButton>
#include <array>

#include "core/file_names.h"
#include "core/messages.h"
#include "core/sailorpoints/sailorpoints_writer.h"
#include "core/walk/walk_reader.h"

namespace walkconv::ui {

namespace {

// In tab order; positions and sizes in twips.
constexpr std::array kControls{
    ControlSpec{"Text1", ControlKind::TextBox, "", 600, 600, 4575, 285},
    ControlSpec{"Command1", ControlKind::Button, "Analyse", 600, 1320, 1695, 735},
    ControlSpec{"Command2", ControlKind::Button, "...", 5400, 480, 375, 375},
    ControlSpec{"Label1", ControlKind::Label, "Choose input Walk file:", 600, 240, 3375, 255},
    ControlSpec{"Command3", ControlKind::Button, "Convert!", 2280, 2520, 1695, 735},
    ControlSpec{"Label2", ControlKind::Label, "", 2640, 1200, 3135, 975},
    ControlSpec{"Command4", ControlKind::Button, "Show graph", 4320, 2520, 1455, 735},
};

}  // namespace

Form1::Form1()
    : ConverterWindow(QStringLiteral("Walk to Sailorpoints converter - v.beta2"), 3720, kControls,
                      QStringLiteral("C files (*.c)|*.c|All files (*.)|*|"),
                      QStringLiteral("INI files (*.ini)|*.ini|All files (*.)|*|")) {
    setObjectName(QStringLiteral("Form1"));
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
}

void Form1::Command1_Click() {
    ShowAnalysis(AnalyseWalk(Text1->text().toStdString(), state_, &details_, &facts_),
                 kNotValidWalkText, &facts_);
}

void Form1::Command2_Click() {
    Browse();
}

void Form1::Command3_Click() {
    Convert(kSailorpointsSuffix, WriteSailorpoints);
}

}  // namespace walkconv::ui
