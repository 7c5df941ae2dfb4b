#include "common/text_file.h"

#include <array>
#include <cerrno>
#include <fstream>
#include <random>
#include <system_error>

#include "common/conversion_error.h"

namespace walkconv {

namespace fs = std::filesystem;

fs::path PathFromUtf8(std::string_view utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

bool IsRegularFile(const fs::path& path) noexcept {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

std::string ReadTextFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw ConversionError("cannot open the file for reading");
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
        throw ConversionError("cannot read the file");
    }
    return content;
}

namespace {

// A name beside the target that no file has yet. Its length does not depend on the target's
// name, so that a target whose name is as long as the file system allows can still be written.
fs::path FreshTemporaryPath(const fs::path& target) {
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate =
            target.parent_path() /
            (".walkconv-" + std::to_string(random() % 1'000'000'000) + ".tmp");
        std::error_code error;
        if (!fs::exists(candidate, error) && !error) {
            return candidate;
        }
    }
    throw ConversionError("cannot find a free temporary file name");
}

// The C library's last error as text: the standard streams leave their reason in errno.
std::string LastSystemError() {
    const int code = errno;
    return code != 0 ? std::generic_category().message(code) : "input/output error";
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
    const fs::path temporary = FreshTemporaryPath(target);
    errno = 0;
    try {
        {
            std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
            if (!out) {
                throw ConversionError(LastSystemError());
            }
            out.write(content.data(), static_cast<std::streamsize>(content.size()));
            out.close();
            if (!out) {
                throw ConversionError(LastSystemError());
            }
        }
        std::error_code error;
        // A replaced file keeps its permissions.
        const fs::file_status existing = fs::status(target, error);
        if (!error && fs::is_regular_file(existing)) {
            fs::permissions(temporary, existing.permissions(), error);
        }
        if (fs::is_directory(existing)) {
            throw ConversionError("is a folder");
        }
        fs::rename(temporary, target, error);
        if (error) {
            throw ConversionError(error.message());
        }
    } catch (...) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        throw;
    }
}

}  // namespace walkconv
