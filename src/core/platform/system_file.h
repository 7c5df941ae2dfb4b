#pragma once

#include <cstddef>
#include <filesystem>
#include <limits>
#include <string_view>

// The one place that calls the operating system's file functions directly (POSIX, or Windows):
// the standard streams can neither create a file only if it is new nor force its content onto
// the disk before it replaces another, and std::filesystem neither replaces a file in one
// durable step nor tells a file that Windows forbids to replace.
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

// Puts the complete, closed file `replacement` in the place of `target` in one step: a reader
// sees the old file or the new one, never neither. The new name is on the disk before this
// returns (POSIX: the folder is flushed; Windows: the move is written through). Throws
// ConversionError when either fails; `replacement` is then left for the caller to remove.
void MoveIntoPlace(const std::filesystem::path& replacement, const std::filesystem::path& target);

// True when `path` is a file that the system forbids to replace or remove: one with the
// read-only attribute on Windows. A POSIX file's own permissions never forbid replacing it in
// a folder that may be written. Never throws.
bool IsMarkedReadOnly(const std::filesystem::path& path) noexcept;

// True when `path` is a file marked hidden or system (Windows attributes), which the analyses
// count as missing. POSIX systems have no such marks. Never throws.
bool IsMarkedHiddenOrSystem(const std::filesystem::path& path) noexcept;

// Failures a test can make every NewFile meet, as a full or failing disk would cause them.
struct StorageFaults {
    // Bytes written, over all files, before a write fails with "No space left on device".
    std::size_t spaceLeft = std::numeric_limits<std::size_t>::max();
    bool createFails = false;      // creating a file is refused, as in a read-only folder
    bool commitFails = false;      // forcing the content onto the disk fails
    bool replaceFails = false;     // putting the new file in the old one's place fails
    bool folderSyncFails = false;  // flushing the folder after the replace fails
    bool markedReadOnly = false;   // every existing file counts as marked read-only
};

// Makes every NewFile, MoveIntoPlace and IsMarkedReadOnly of the process meet `faults` while it
// lives. For tests.
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
