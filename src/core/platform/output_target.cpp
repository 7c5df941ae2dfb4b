#include "core/platform/output_target.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <string>
#include <system_error>

#include "core/conversion_error.h"
#include "core/platform/file_handles.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace walkconv {

namespace {

namespace fs = std::filesystem;

using file_handles::CloseFile;
using file_handles::Fail;
using file_handles::WriteSome;

#ifdef _WIN32

// The names Windows gives its devices in every folder, with any extension ("NUL.txt") and an
// optional colon ("NUL:").
bool IsReservedDeviceName(std::wstring name) {
    if (const std::size_t dot = name.find(L'.'); dot != std::wstring::npos) {
        name.erase(dot);
    }
    while (!name.empty() && (name.back() == L':' || name.back() == L' ')) {
        name.pop_back();
    }
    CharUpperBuffW(name.data(), static_cast<DWORD>(name.size()));
    static constexpr std::array<std::wstring_view, 6> kNames{L"CON", L"PRN",    L"AUX",
                                                             L"NUL", L"CONIN$", L"CONOUT$"};
    if (std::find(kNames.begin(), kNames.end(), name) != kNames.end()) {
        return true;
    }
    return name.size() == 4 && (name.starts_with(L"COM") || name.starts_with(L"LPT")) &&
           name[3] >= L'1' && name[3] <= L'9';
}

bool IsDevice(const fs::path& path) {
    const std::wstring& text = path.native();
    return text.starts_with(L"\\\\.\\") || text.starts_with(L"//./") ||
           IsReservedDeviceName(path.filename().native());
}

int OpenExisting(const fs::path& path) {
    return _wopen(path.c_str(), _O_WRONLY | _O_BINARY);
}

#else

bool IsDevice(const fs::path& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode) &&
           !S_ISDIR(status.st_mode);
}

int OpenExisting(const fs::path& path) {
    int handle;
    do {
        handle = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    } while (handle < 0 && errno == EINTR);
    return handle;
}

#endif

}  // namespace

OutputTarget KindOfOutputTarget(const fs::path& path) noexcept {
    try {
        return !path.empty() && IsDevice(path) ? OutputTarget::Device : OutputTarget::File;
    } catch (...) {  // a path the system cannot take is no device
        return OutputTarget::File;
    }
}

std::optional<int> StandardStreamNamedBy(const fs::path& path) noexcept {
#ifdef _WIN32
    (void)path;
    return std::nullopt;
#else
    const std::string text = path.lexically_normal().generic_string();
    for (const auto& [name, stream] :
         {std::pair{"/dev/stdout", 1}, std::pair{"/dev/stderr", 2}, std::pair{"/dev/fd/1", 1},
          std::pair{"/dev/fd/2", 2}, std::pair{"/proc/self/fd/1", 1},
          std::pair{"/proc/self/fd/2", 2}}) {
        if (text == name) {
            return stream;
        }
    }
    return std::nullopt;
#endif
}

void WriteIntoDevice(const fs::path& path, std::string_view bytes) {
    const int handle = OpenExisting(path);
    if (handle < 0) {
        Fail(errno);
    }
    while (!bytes.empty()) {
        const long written = WriteSome(handle, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            const int code = errno;
            CloseFile(handle);
            Fail(code);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    if (CloseFile(handle) != 0) {
        Fail(errno);
    }
}

fs::path ComparablePath(const fs::path& path) {
    std::error_code error;
    fs::path absolute = fs::absolute(path, error);
    if (error) {
        absolute = path;
    }
    fs::path resolved = fs::weakly_canonical(absolute, error);
    if (error) {
        resolved = absolute.lexically_normal();
    }
#ifdef _WIN32
    std::wstring text = resolved.native();
    CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return fs::path(text);
#else
    return resolved;
#endif
}

void TakeBytesAsTheyAreOnStandardOutput() {
#ifdef _WIN32
    std::fflush(stdout);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
}

}  // namespace walkconv
