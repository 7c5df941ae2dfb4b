#include "qt/model_dialog.h"

#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <vector>

#include "app/model_dialog.h"
#include "qt/qt_host.h"
#include "qt/window_style.h"

namespace walkconv::qt {

namespace {

using app::ControlKind;
using app::ModelControl;
using app::ModelPart;

// The dialog's controls, one for each of app::ModelDialogControls().
class ModelDialog : public QDialog {
  public:
    ModelDialog(QWidget* parent, const app::ModelFields& fields)
        : QDialog(parent), fields_(fields) {
        setWindowTitle(ToQt(app::kModelDialogCaption));
        const std::span<const ModelControl> controls = app::ModelDialogControls();
        for (const ModelControl& control : controls) {
            widgets_.push_back(Make(control));
        }
        LayOut(controls);
        Show(fields_);
    }

    const app::ModelFields& Fields() const { return fields_; }

  private:
    QWidget* Make(const ModelControl& control) {
        QWidget* widget = nullptr;
        const ModelPart part = control.part;
        switch (control.kind) {
            case ControlKind::TextBox:
                widget = new QLineEdit;
                break;
            case ControlKind::OptionButton:
                widget = new QRadioButton(ToQt(control.caption));
                break;
            case ControlKind::CheckBox:
                widget = new QCheckBox(ToQt(control.caption));
                break;
            case ControlKind::Button: {
                auto* button = new QPushButton(ToQt(control.caption));
                button->setAutoDefault(part == ModelPart::Ok);
                button->setDefault(part == ModelPart::Ok);
                connect(button, &QPushButton::clicked, this, [this, part] { Pressed(part); });
                widget = button;
                break;
            }
            case ControlKind::Label:
            case ControlKind::List:
                widget = new QLabel(ToQt(control.caption));
                break;
        }
        widget->setObjectName(ToQt(control.name));
        return widget;
    }

    // A row that begins with a label holds it in the first column and the rest in the second;
    // other rows span both, OK and Cancel at the right.
    void LayOut(std::span<const ModelControl> controls) {
        auto* grid = new QGridLayout(this);
        std::size_t i = 0;
        int row = 0;
        while (i < controls.size()) {
            std::size_t end = i;
            while (end < controls.size() && controls[end].row == controls[i].row) {
                ++end;
            }
            auto* line = new QHBoxLayout;
            const bool labelled = controls[i].kind == ControlKind::Label && end - i > 1;
            if (labelled) {
                grid->addWidget(widgets_[i++], row, 0);
            }
            if (controls[i].part == ModelPart::Ok) {
                line->addStretch(1);
            }
            bool stretches = false;
            for (; i < end; ++i) {
                const bool field = controls[i].kind == ControlKind::TextBox;
                stretches = stretches || field;
                line->addWidget(widgets_[i], field ? 1 : 0);
            }
            if (!stretches && controls[end - 1].part != ModelPart::Cancel) {
                line->addStretch(1);  // the option buttons side by side at the left
            }
            if (labelled) {
                grid->addLayout(line, row, 1);
            } else {
                grid->addLayout(line, row, 0, 1, 2);
            }
            ++row;
        }
        setMinimumWidth(480);
    }

    QWidget* Widget(ModelPart part) const {
        const std::span<const ModelControl> controls = app::ModelDialogControls();
        for (std::size_t i = 0; i < controls.size(); ++i) {
            if (controls[i].part == part) {
                return widgets_[i];
            }
        }
        return nullptr;
    }

    void Show(app::ModelFields& fields) {
        const std::span<const ModelControl> controls = app::ModelDialogControls();
        for (std::size_t i = 0; i < controls.size(); ++i) {
            if (const std::string* text = app::FieldText(fields, controls[i].part)) {
                static_cast<QLineEdit*>(widgets_[i])->setText(ToQt(*text));
            }
        }
        static_cast<QRadioButton*>(Widget(ModelPart::UpY))->setChecked(fields.up == UpAxis::Y);
        static_cast<QRadioButton*>(Widget(ModelPart::UpZ))->setChecked(fields.up == UpAxis::Z);
    }

    void Take() {
        const std::span<const ModelControl> controls = app::ModelDialogControls();
        for (std::size_t i = 0; i < controls.size(); ++i) {
            if (std::string* text = app::FieldText(fields_, controls[i].part)) {
                *text = FromQt(static_cast<QLineEdit*>(widgets_[i])->text());
            }
        }
        fields_.up =
            static_cast<QRadioButton*>(Widget(ModelPart::UpZ))->isChecked() ? UpAxis::Z : UpAxis::Y;
    }

    void Pressed(ModelPart part) {
        auto* file = static_cast<QLineEdit*>(Widget(ModelPart::File));
        QtHost host(this);
        switch (part) {
            case ModelPart::Browse:
                if (const auto chosen = app::BrowseModelFile(host, FromQt(file->text()))) {
                    file->setText(ToQt(*chosen));
                }
                return;
            case ModelPart::NoModel:
                file->clear();
                return;
            case ModelPart::Ok: {
                Take();
                const app::CheckedFields checked = app::CheckModelFields(fields_);
                if (!checked.choice) {
                    host.ShowMessage(checked.problem);
                    return;
                }
                accept();
                return;
            }
            case ModelPart::Cancel:
                reject();
                return;
            default:
                return;
        }
    }

    app::ModelFields fields_;
    std::vector<QWidget*> widgets_;
};

}  // namespace

std::optional<app::ModelFields> ShowModelDialog(QWidget* parent, const app::ModelFields& fields) {
    ModelDialog dialog(parent, fields);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Fields();
}

}  // namespace walkconv::qt
