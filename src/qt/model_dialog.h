#pragma once

#include <optional>

#include "app/model_fields.h"

class QWidget;

namespace walkconv::qt {

// Shows the "Model" dialog of app::ModelDialogControls() over `parent`, filled with `fields`,
// each control named as in the table. Browse asks for the file in a file dialog; OK with a
// field app::CheckModelFields finds wrong says so in a message box and stays open. The fields
// as OK leaves them, or nothing for Cancel.
std::optional<app::ModelFields> ShowModelDialog(QWidget* parent, const app::ModelFields& fields);

}  // namespace walkconv::qt
