#pragma once

#include <windows.h>

#include <optional>

#include "app/model_fields.h"

namespace walkconv::win32 {

// The control id of the dialog's control at `index` of app::ModelDialogControls(): OK is
// IDOK and Cancel IDCANCEL, which Enter and Escape send; the others count from 100.
int ModelControlId(std::size_t index);

// Shows the "Model" dialog of app::ModelDialogControls() over `owner`, made at run time and
// filled with `fields`. Browse asks for the file in a file dialog; OK with a field
// app::CheckModelFields finds wrong says so in a message box and stays open. The fields as OK
// leaves them, or nothing for Cancel. `onShown`, when given, is called with the dialog once it
// is shown (tests answer it so).
std::optional<app::ModelFields> ShowModelDialog(HWND owner, const app::ModelFields& fields,
                                                void (*onShown)(HWND) = nullptr);

}  // namespace walkconv::win32
