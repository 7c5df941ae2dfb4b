#include "core/text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

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

namespace {

bool IsUpperLetter(char c) {
    return c >= 'A' && c <= 'Z';
}

// The first place at or after `from` of the byte `a` or the byte `b`, with memchr, which is
// fastest over long distances. Two plain searches over the whole rest would each run to the end
// when their byte is missing; searched window by window, with windows that grow, the cost stays
// in proportion to the distance of the place found.
std::size_t FindEither(std::string_view text, char a, char b, std::size_t from) {
    constexpr std::size_t kFirstWindow = 64;
    constexpr std::size_t kLargestWindow = 1 << 14;
    for (std::size_t at = from, window = kFirstWindow; at < text.size();
         at += window, window = std::min(2 * window, kLargestWindow)) {
        const std::string_view part = text.substr(at, window);
        const std::size_t foundA = part.find(a);
        const std::size_t foundB = part.substr(0, foundA).find(b);
        const std::size_t found = std::min(foundA, foundB);
        if (found != std::string_view::npos) {
            return at + found;
        }
    }
    return std::string_view::npos;
}

}  // namespace

std::size_t FindEitherByte(std::string_view text, std::size_t from, unsigned char a,
                           unsigned char b, unsigned char fold) {
    constexpr std::uint64_t kOnes = 0x0101010101010101;
    constexpr std::uint64_t kHighBits = 0x8080808080808080;
    // Nonzero exactly when some byte of `w` is zero.
    const auto hasZeroByte = [](std::uint64_t w) { return (w - kOnes) & ~w & kHighBits; };
    const std::uint64_t foldBytes = kOnes * fold;
    const std::uint64_t aBytes = kOnes * a;
    const std::uint64_t bBytes = kOnes * b;
    const char* const data = text.data();
    std::size_t at = from;
    // Whole words first, up to the first word that holds a byte sought; then byte by byte.
    for (; at < text.size() && text.size() - at >= sizeof(std::uint64_t);
         at += sizeof(std::uint64_t)) {
        std::uint64_t word;
        std::memcpy(&word, data + at, sizeof word);
        word |= foldBytes;
        if ((hasZeroByte(word ^ aBytes) | hasZeroByte(word ^ bBytes)) != 0) {
            break;
        }
    }
    for (; at < text.size(); ++at) {
        const auto c = static_cast<unsigned char>(static_cast<unsigned char>(data[at]) | fold);
        if (c == a || c == b) {
            return at;
        }
    }
    return std::string_view::npos;
}

std::size_t FindAnyCase(std::string_view text, std::string_view upperNeedle, std::size_t from) {
    std::size_t anchor = 0;
    while (anchor < upperNeedle.size() && IsUpperLetter(upperNeedle[anchor])) {
        ++anchor;
    }
    return FindAnyCase(text, upperNeedle, from, anchor < upperNeedle.size() ? anchor : 0);
}

std::size_t FindAnyCase(std::string_view text, std::string_view upperNeedle, std::size_t from,
                        std::size_t anchor) {
    const std::size_t length = upperNeedle.size();
    if (text.size() < length || from > text.size() - length) {
        return kNone;
    }
    if (length == 0) {
        return from;
    }
    const std::size_t last = text.size() - length;  // the last position a match can start at
    const char upper = upperNeedle[anchor];
    const bool letter = IsUpperLetter(upper);
    const auto lower = static_cast<char>(upper - 'A' + 'a');
    const auto next = [&](std::size_t at) {
        return letter ? FindEither(text, upper, lower, at) : text.find(upper, at);
    };
    for (std::size_t hit = next(from + anchor); hit != kNone && hit - anchor <= last;
         hit = next(hit + 1)) {
        if (StartsWithAnyCase(text.substr(hit - anchor), upperNeedle)) {
            return hit - anchor;
        }
    }
    return kNone;
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

std::size_t NextLineStart(std::string_view text, std::size_t lineEnd) {
    if (lineEnd >= text.size()) {
        return text.size();
    }
    const bool crlf =
        text[lineEnd] == '\r' && lineEnd + 1 < text.size() && text[lineEnd + 1] == '\n';
    return lineEnd + (crlf ? 2 : 1);
}

bool LineSplitter::Next(std::string_view& line) {
    if (pos_ >= text_.size()) {
        return false;
    }
    if (nextCr_ < pos_) {
        nextCr_ = text_.find('\r', pos_);
    }
    if (nextLf_ < pos_) {
        nextLf_ = text_.find('\n', pos_);
    }
    const std::size_t end = std::min(nextCr_, nextLf_);
    if (end == std::string_view::npos) {
        line = text_.substr(pos_);
        pos_ = text_.size();
        return true;
    }
    line = text_.substr(pos_, end - pos_);
    const bool crlf = text_[end] == '\r' && end + 1 < text_.size() && text_[end + 1] == '\n';
    pos_ = end + (crlf ? 2 : 1);
    return true;
}

}  // namespace walkconv
