#include "core/platform/system_file.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <system_error>

#include "core/conversion_error.h"
#include "core/platform/file_handles.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace walkconv {

namespace {

std::atomic<StorageFaults*> activeFaults{nullptr};

using file_handles::CloseFile;
using file_handles::Fail;
using file_handles::WriteSome;

#ifdef _WIN32
int OpenNew(const std::filesystem::path& path) {
    return _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}
int SyncToDisk(int handle) {
    return _commit(handle);
}
// The reason for a failed Windows call, in the system's words.
[[noreturn]] void FailWithLastError() {
    throw ConversionError(std::system_category().message(static_cast<int>(GetLastError())));
}
void MoveOver(const std::filesystem::path& replacement, const std::filesystem::path& target) {
    if (!MoveFileExW(replacement.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        FailWithLastError();
    }
}
void SyncFolderOf(const std::filesystem::path&) {
    // MOVEFILE_WRITE_THROUGH has flushed the move already.
}
bool HasAttribute(const std::filesystem::path& path, DWORD wanted) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & wanted) != 0 &&
           (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}
bool HasReadOnlyAttribute(const std::filesystem::path& path) {
    return HasAttribute(path, FILE_ATTRIBUTE_READONLY);
}
bool HasHiddenOrSystemAttribute(const std::filesystem::path& path) {
    return HasAttribute(path, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
}
#else
int OpenNew(const std::filesystem::path& path) {
    int handle;
    do {
        handle = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    } while (handle < 0 && errno == EINTR);
    return handle;
}
int SyncToDisk(int handle) {
    return ::fsync(handle);
}
void MoveOver(const std::filesystem::path& replacement, const std::filesystem::path& target) {
    if (::rename(replacement.c_str(), target.c_str()) != 0) {
        Fail(errno);
    }
}
// The new name lives in the folder's own data: without this a crash right after the rename
// can bring the old file back, or lose the new one.
void SyncFolderOf(const std::filesystem::path& target) {
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    const int handle = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0) {
        Fail(errno);
    }
    if (::fsync(handle) != 0) {
        const int code = errno;
        ::close(handle);
        Fail(code);
    }
    ::close(handle);
}
bool HasReadOnlyAttribute(const std::filesystem::path&) {
    return false;
}
bool HasHiddenOrSystemAttribute(const std::filesystem::path&) {
    return false;
}
#endif

}  // namespace

NewFile::~NewFile() {
    Close();
}

void NewFile::Close() noexcept {
    if (handle_ >= 0) {
        CloseFile(handle_);
        handle_ = -1;
    }
}

bool NewFile::Create(const std::filesystem::path& path) {
    if (const StorageFaults* faults = activeFaults.load();
        faults != nullptr && faults->createFails) {
        Fail(EACCES);
    }
    handle_ = OpenNew(path);
    if (handle_ < 0) {
        if (errno == EEXIST) {
            return false;
        }
        Fail(errno);
    }
    return true;
}

void NewFile::Write(std::string_view bytes) {
    bool full = false;
    if (StorageFaults* faults = activeFaults.load()) {
        const std::size_t accepted = std::min(bytes.size(), faults->spaceLeft);
        faults->spaceLeft -= accepted;
        full = accepted < bytes.size();
        bytes = bytes.substr(0, accepted);
    }
    while (!bytes.empty()) {
        const long written = WriteSome(handle_, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            Fail(errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    if (full) {
        Fail(ENOSPC);
    }
}

void NewFile::Commit() {
    const StorageFaults* faults = activeFaults.load();
    const int handle = handle_;
    handle_ = -1;
    if (faults != nullptr && faults->commitFails) {
        CloseFile(handle);
        Fail(EIO);
    }
    if (SyncToDisk(handle) != 0) {
        const int code = errno;
        CloseFile(handle);
        Fail(code);
    }
    if (CloseFile(handle) != 0) {
        Fail(errno);
    }
}

void MoveIntoPlace(const std::filesystem::path& replacement, const std::filesystem::path& target) {
    const StorageFaults* faults = activeFaults.load();
    if (faults != nullptr && faults->replaceFails) {
        Fail(EACCES);
    }
    MoveOver(replacement, target);
    if (faults != nullptr && faults->folderSyncFails) {
        Fail(EIO);
    }
    SyncFolderOf(target);
}

bool IsMarkedReadOnly(const std::filesystem::path& path) noexcept {
    if (const StorageFaults* faults = activeFaults.load();
        faults != nullptr && faults->markedReadOnly) {
        std::error_code error;
        return std::filesystem::is_regular_file(path, error);
    }
    return HasReadOnlyAttribute(path);
}

bool IsMarkedHiddenOrSystem(const std::filesystem::path& path) noexcept {
    return HasHiddenOrSystemAttribute(path);
}

ScopedStorageFaults::ScopedStorageFaults(const StorageFaults& faults) : faults_(faults) {
    activeFaults.store(&faults_);
}

ScopedStorageFaults::~ScopedStorageFaults() {
    activeFaults.store(nullptr);
}

}  // namespace walkconv
