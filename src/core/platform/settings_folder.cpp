#include "core/platform/settings_folder.h"

#include <cstdlib>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace walkconv {

namespace {

constexpr char kProgramFolder[] = "walk-converter";
constexpr char kJournalSubfolder[] = "journal";

#ifdef _WIN32

// The variable's value as a path, read in UTF-16 so that any folder name survives.
std::filesystem::path Variable(const char* name) {
    const std::wstring wide(name, name + std::char_traits<char>::length(name));
    const DWORD size = GetEnvironmentVariableW(wide.c_str(), nullptr, 0);
    if (size <= 1) {
        return {};
    }
    std::wstring value(size, L'\0');
    const DWORD length = GetEnvironmentVariableW(wide.c_str(), value.data(), size);
    value.resize(length);
    return std::filesystem::path(value);
}

std::filesystem::path SettingsBase() {
    return Variable("APPDATA");
}

#else

std::filesystem::path Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::filesystem::path(value) : std::filesystem::path();
}

std::filesystem::path SettingsBase() {
    // A relative XDG_CONFIG_HOME is to be ignored, as the base directory rules say.
    const std::filesystem::path config = Variable("XDG_CONFIG_HOME");
    if (config.is_absolute()) {
        return config;
    }
    const std::filesystem::path home = Variable("HOME");
    return home.empty() ? home : home / ".config";
}

#endif

}  // namespace

std::filesystem::path JournalFolder() {
    if (std::filesystem::path chosen = Variable(kJournalFolderVariable); !chosen.empty()) {
        return chosen;
    }
    const std::filesystem::path base = SettingsBase();
    return base.empty() ? base : base / kProgramFolder / kJournalSubfolder;
}

}  // namespace walkconv
