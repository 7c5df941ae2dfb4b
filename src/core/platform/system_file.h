#pragma once

#include <cstddef>
#include <filesystem>
#include <limits>
#include <string_view>

// The one place that calls the operating system's file functions directly (POSIX, or the
// Windows C runtime): the standard streams can neither create a file only if it is new nor
// force its content onto the disk before it replaces another.
namespace walkconv {

// A file made anew for writing.
class NewFile {
  public:
    NewFile() = default;
    ~NewFile();  // closes a file still open, without a word
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    // Creates `path` for writing. False when something of that name exists already; throws
    // ConversionError for any other failure.
    bool Create(const std::filesystem::path& path);

    // Writes all of `bytes`, or throws ConversionError.
    void Write(std::string_view bytes);

    // Forces the content onto the disk and closes the file, or throws ConversionError.
    void Commit();

    // Closes the file, if open, without a word: before it is removed after a failure (a file
    // still open cannot be removed on Windows).
    void Close() noexcept;

  private:
    int handle_ = -1;
};

// Failures a test can make every NewFile meet, as a full or failing disk would cause them.
struct StorageFaults {
    // Bytes written, over all files, before a write fails with "No space left on device".
    std::size_t spaceLeft = std::numeric_limits<std::size_t>::max();
    bool createFails = false;  // creating a file is refused, as in a read-only folder
    bool commitFails = false;  // forcing the content onto the disk fails
};

// Makes every NewFile of the process meet `faults` while it lives. For tests.
class ScopedStorageFaults {
  public:
    explicit ScopedStorageFaults(const StorageFaults& faults);
    ~ScopedStorageFaults();
    ScopedStorageFaults(const ScopedStorageFaults&) = delete;
    ScopedStorageFaults& operator=(const ScopedStorageFaults&) = delete;

  private:
    StorageFaults faults_;
};

}  // namespace walkconv
