// The tests of the Win32 windows run as the program does: common controls, COM and GDI+
// started, with the application manifest (common controls 6, per-monitor DPI awareness).
// Where no window can be made (Wine without an X display), every test is skipped.
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <gtest/gtest.h>
#include <objbase.h>

#include "win32/gdiplus_canvas.h"

namespace {

class Win32Environment : public ::testing::Environment {
  public:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        gdiplus_ = std::make_unique<walkconv::win32::GdiplusSession>();
        const HWND probe = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr,
                                           nullptr, GetModuleHandleW(nullptr), nullptr);
        if (probe == nullptr) {
            GTEST_SKIP() << "no window can be made here (Wine needs an X display)";
        }
        DestroyWindow(probe);
    }
    void TearDown() override { gdiplus_.reset(); }

  private:
    std::unique_ptr<walkconv::win32::GdiplusSession> gdiplus_;
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new Win32Environment);
    return RUN_ALL_TESTS();
}
