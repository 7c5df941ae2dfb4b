#pragma once

#include <filesystem>
#include <string>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

// Files that are no regular files, made for tests: a FIFO with a reader waiting, and a
// character device like /dev/null. POSIX only; on Windows every maker says it cannot.
namespace walkconv::testing {

// The device numbers of /dev/null on Linux.
inline constexpr unsigned kNullDeviceMajor = 1;
inline constexpr unsigned kNullDeviceMinor = 3;

// A FIFO at `path` whose reading end is open already (without waiting for a writer), so that a
// writer opens it at once and a single thread can read afterwards what was written.
class FifoWithReader {
  public:
    explicit FifoWithReader(const std::filesystem::path& path) {
#ifndef _WIN32
        if (::mkfifo(path.c_str(), 0666) == 0) {
            reader_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
        }
#else
        (void)path;
#endif
    }
    ~FifoWithReader() {
#ifndef _WIN32
        if (reader_ >= 0) {
            ::close(reader_);
        }
#endif
    }
    FifoWithReader(const FifoWithReader&) = delete;
    FifoWithReader& operator=(const FifoWithReader&) = delete;

    bool Made() const {
        return reader_ >= 0;
    }

    // Everything written so far (as much as the pipe holds: 64 KiB on Linux).
    std::string Drain() {
        std::string bytes;
#ifndef _WIN32
        char block[4096];
        for (ssize_t got; (got = ::read(reader_, block, sizeof block)) > 0;) {
            bytes.append(block, static_cast<std::size_t>(got));
        }
#endif
        return bytes;
    }

  private:
    int reader_ = -1;
};

// A character device at `path` with the numbers of /dev/null; false when it cannot be made
// (not root, or Windows).
inline bool MakeNullDevice(const std::filesystem::path& path) {
#ifndef _WIN32
    return ::mknod(path.c_str(), S_IFCHR | 0666, makedev(kNullDeviceMajor, kNullDeviceMinor)) == 0;
#else
    (void)path;
    return false;
#endif
}

}  // namespace walkconv::testing
