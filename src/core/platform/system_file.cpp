#include "core/platform/system_file.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <system_error>

#include "core/conversion_error.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace walkconv {

namespace {

std::atomic<StorageFaults*> activeFaults{nullptr};

[[noreturn]] void Fail(int code) {
    throw ConversionError(std::generic_category().message(code));
}

#ifdef _WIN32
int OpenNew(const std::filesystem::path& path) {
    return _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}
long WriteSome(int handle, const char* data, std::size_t size) {
    return _write(handle, data, static_cast<unsigned>(std::min<std::size_t>(size, 1u << 30)));
}
int SyncToDisk(int handle) {
    return _commit(handle);
}
int CloseFile(int handle) {
    return _close(handle);
}
#else
int OpenNew(const std::filesystem::path& path) {
    int handle;
    do {
        handle = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    } while (handle < 0 && errno == EINTR);
    return handle;
}
long WriteSome(int handle, const char* data, std::size_t size) {
    return ::write(handle, data, size);
}
int SyncToDisk(int handle) {
    return ::fsync(handle);
}
int CloseFile(int handle) {
    return ::close(handle);
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

ScopedStorageFaults::ScopedStorageFaults(const StorageFaults& faults) : faults_(faults) {
    activeFaults.store(&faults_);
}

ScopedStorageFaults::~ScopedStorageFaults() {
    activeFaults.store(nullptr);
}

}  // namespace walkconv
