#include "core/text_file.h"

#include <array>
#include <fstream>
#include <random>
#include <system_error>

#include "core/conversion_error.h"
#include "core/platform/output_target.h"
#include "core/platform/system_file.h"

namespace walkconv {

namespace fs = std::filesystem;

fs::path PathFromUtf8(std::string_view utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8FromPath(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

bool IsRegularFile(const fs::path& path) noexcept {
    std::error_code error;
    return fs::is_regular_file(path, error) && !IsMarkedHiddenOrSystem(path);
}

std::string ReadTextFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw ConversionError(
            Failure{failure_code::kUnreadable, "cannot open the file for reading"});
    }
    // Read in large blocks into a string sized once: taking a character at a time cost more
    // than analysing the text.
    std::string content;
    std::error_code sizeError;
    const std::uintmax_t size = fs::file_size(path, sizeError);
    if (!sizeError) {
        content.reserve(static_cast<std::size_t>(size));
    }
    std::array<char, 65536> block;
    while (in.read(block.data(), block.size()) || in.gcount() > 0) {
        content.append(block.data(), static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) {
        throw ConversionError(Failure{failure_code::kUnreadable, "cannot read the file"});
    }
    return content;
}

namespace {

// Creates a new file beside the target, under a name no file has yet, and returns its path.
// The name's length does not depend on the target's, so that a target whose name is as long
// as the file system allows can still be written.
fs::path CreateTemporaryBeside(const fs::path& target, NewFile& file) {
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate =
            target.parent_path() /
            (".walkconv-" + std::to_string(random() % 1'000'000'000) + ".tmp");
        if (file.Create(candidate)) {
            return candidate;
        }
    }
    throw ConversionError("cannot find a free temporary file name");
}

}  // namespace

void WriteFileAtomically(const fs::path& named, std::string_view content) {
    if (named.empty() || !named.has_filename()) {
        throw ConversionError("no file name given");
    }
    // Through a symbolic link the file it points to is replaced, not the link itself.
    std::error_code linkError;
    const bool link = fs::is_symlink(fs::symlink_status(named, linkError));
    linkError.clear();
    const fs::path target = link ? fs::weakly_canonical(named, linkError) : named;
    if (linkError) {
        throw ConversionError(linkError.message());
    }
    std::error_code error;
    const fs::file_status existing = fs::status(target, error);
    if (fs::is_directory(existing)) {
        throw ConversionError("is a folder");
    }
    // Windows neither replaces nor removes a read-only file: refuse before anything is written.
    if (IsMarkedReadOnly(target)) {
        throw ConversionError("the file is read-only");
    }
    NewFile file;
    const fs::path temporary = CreateTemporaryBeside(target, file);
    try {
        // The content reaches the disk before it replaces the old file, so that a crash or a
        // power cut leaves the old file or the new one, never a part of either.
        file.Write(content);
        file.Commit();
        // A replaced file keeps its permissions.
        if (fs::is_regular_file(existing)) {
            fs::permissions(temporary, existing.permissions(), error);
        }
        MoveIntoPlace(temporary, target);
    } catch (...) {
        file.Close();
        std::error_code ignored;
        fs::remove(temporary, ignored);
        throw;
    }
}

void WriteOutputFile(const fs::path& target, std::string_view content) {
    if (KindOfOutputTarget(target) == OutputTarget::Device) {
        WriteIntoDevice(target, content);
    } else {
        WriteFileAtomically(target, content);
    }
}

}  // namespace walkconv
