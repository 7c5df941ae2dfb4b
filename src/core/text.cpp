#include "core/text.h"

#include "core/conversion_error.h"

namespace walkconv {

std::string ToUpperAscii(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return upper;
}

std::string_view TextAfterFirst(std::string_view text, char c) {
    const std::size_t pos = text.find(c);
    return pos == std::string_view::npos ? text : text.substr(pos + 1);
}

std::string_view FileNameOf(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string DropLastCharacters(std::string_view text, std::size_t count) {
    std::size_t end = text.size();
    for (std::size_t dropped = 0; dropped < count; ++dropped) {
        if (end == 0) {
            throw ConversionError("file name too short");
        }
        --end;
        // Step back over UTF-8 continuation bytes to the start of the character.
        while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
            --end;
        }
    }
    return std::string(text.substr(0, end));
}

bool LineSplitter::Next(std::string_view& line) {
    if (rest_.empty()) {
        return false;
    }
    // A plain loop: find_first_of looks every character up in its set with a library call,
    // which made splitting cost more than scanning the lines.
    std::size_t end = 0;
    while (end < rest_.size() && rest_[end] != '\r' && rest_[end] != '\n') {
        ++end;
    }
    if (end == rest_.size()) {
        line = rest_;
        rest_ = {};
        return true;
    }
    line = rest_.substr(0, end);
    const bool crlf = rest_[end] == '\r' && end + 1 < rest_.size() && rest_[end + 1] == '\n';
    rest_.remove_prefix(end + (crlf ? 2 : 1));
    return true;
}

}  // namespace walkconv
