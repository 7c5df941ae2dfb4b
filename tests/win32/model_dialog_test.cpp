// The "Model" dialog made at run time and the texts the host keeps in the registry. What the
// dialog's fields mean is tested in tests/app.
#include "win32/model_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "app/model_dialog.h"
#include "win32/wide_text.h"
#include "win32/win32_host.h"

namespace walkconv::win32 {
namespace {

HWND ControlNamed(HWND dialog, std::string_view name) {
    const auto controls = app::ModelDialogControls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].name == name) {
            return GetDlgItem(dialog, ModelControlId(i));
        }
    }
    return nullptr;
}

// What the dialog showed when it opened, and how it is answered then.
std::vector<std::string> shown;
void (*answer)(HWND) = nullptr;

void Look(HWND dialog) {
    shown.clear();
    for (const char* name : {"ModelFile", "Scale", "OffsetX", "OffsetY", "OffsetZ"}) {
        shown.push_back(WindowText(ControlNamed(dialog, name)));
    }
    shown.push_back(
        SendMessageW(ControlNamed(dialog, "UpZ"), BM_GETCHECK, 0, 0) == BST_CHECKED ? "Z" : "Y");
    shown.push_back(WindowText(dialog));
    answer(dialog);
}

TEST(Win32ModelDialog, ShowsTheFieldsOkTakesThemAndEscapeCancels) {
    const app::ModelFields fields{"C:\\ships\\brig.glb", UpAxis::Z, "2", {"0", "-1.5", "3"}};
    answer = [](HWND dialog) {
        SetText(ControlNamed(dialog, "Scale"), " 0.5");
        SendMessageW(ControlNamed(dialog, "UpY"), BM_CLICK, 0, 0);
        SendMessageW(ControlNamed(dialog, "NoModel"), BM_CLICK, 0, 0);
        SendMessageW(ControlNamed(dialog, "OK"), BM_CLICK, 0, 0);
    };
    const auto taken = ShowModelDialog(nullptr, fields, Look);
    EXPECT_EQ(shown, (std::vector<std::string>{"C:\\ships\\brig.glb", "2", "0", "-1.5", "3", "Z",
                                               "Model"}));
    ASSERT_TRUE(taken);
    EXPECT_EQ(*taken, (app::ModelFields{"", UpAxis::Y, " 0.5", {"0", "-1.5", "3"}}));

    answer = [](HWND dialog) {
        SetText(ControlNamed(dialog, "Scale"), "7");
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);  // as Escape does
    };
    EXPECT_FALSE(ShowModelDialog(nullptr, fields, Look));
}

TEST(Win32Host, TextsRoundTripThroughTheRegistryUnderAnyKey) {
    const std::vector<std::string> keys{"ShipModel:C:\\ships\\brig1.ini",
                                        "ShipModel:C:\\ships\\brig1.ini\\x",
                                        "ShipModel:C:\\\xc3\xa9t\xc3\xa9 100%.ini"};
    for (std::size_t i = 0; i < keys.size(); ++i) {
        Win32Host().RememberText(keys[i], "Y\n1\n0\n0\n0\n" + std::to_string(i));
    }
    Win32Host host;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(host.RememberedText(keys[i]), "Y\n1\n0\n0\n0\n" + std::to_string(i));
    }
    EXPECT_EQ(host.RememberedText("ShipModel:C:\\ships"), "");
    RegDeleteKeyW(HKEY_CURRENT_USER, Win32Host::kTextsKey);
}

}  // namespace
}  // namespace walkconv::win32
