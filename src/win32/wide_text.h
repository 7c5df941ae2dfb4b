#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// The behaviour speaks UTF-8; Windows speaks UTF-16. Every text crosses here, so that names
// beyond the ANSI code page survive.
namespace walkconv::win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

// The whole text of a window or control, and setting it, in UTF-8.
std::string WindowText(HWND window);
void SetText(HWND window, std::string_view utf8);

}  // namespace walkconv::win32
