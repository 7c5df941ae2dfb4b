#include "core/drawing/xml_text.h"

#include <cstddef>
#include <cstdint>

namespace walkconv {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// How long the UTF-8 sequence at the start of `bytes` is when it is well formed, else 0;
// `valid` says how many of its bytes were well formed before the fault (at least 1).
std::size_t SequenceLength(std::string_view bytes, std::size_t& valid) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
    const std::uint8_t lead = byte(0);
    valid = 1;
    std::size_t length = 0;
    std::uint8_t low = 0x80;  // the range of the second byte, narrowed for some leads
    std::uint8_t high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;   // no overlong forms
        high = lead == 0xED ? 0x9F : 0xBF;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;  // nothing above U+10FFFF
    } else {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (i >= bytes.size() || byte(i) < (i == 1 ? low : 0x80) ||
            byte(i) > (i == 1 ? high : 0xBF)) {
            return 0;
        }
        ++valid;
    }
    return length;
}

}  // namespace

void AppendXmlText(std::string& out, std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const char c = bytes[i];
        const auto byte = static_cast<std::uint8_t>(c);
        if (byte < 0x80) {
            switch (c) {
                case '&':
                    out += "&amp;";
                    break;
                case '<':
                    out += "&lt;";
                    break;
                case '>':
                    out += "&gt;";
                    break;
                case '"':
                    out += "&quot;";
                    break;
                case '\r':
                    out += "&#13;";
                    break;
                default:
                    if (byte < 0x20 && c != '\t' && c != '\n') {
                        out += kReplacement;
                    } else {
                        out += c;
                    }
            }
            ++i;
            continue;
        }
        std::size_t valid = 0;
        const std::size_t length = SequenceLength(bytes.substr(i), valid);
        if (length == 0) {
            out += kReplacement;
            i += valid;
            continue;
        }
        const std::string_view sequence = bytes.substr(i, length);
        // U+FFFE and U+FFFF are no XML characters.
        const bool nonCharacter = sequence == "\xEF\xBF\xBE" || sequence == "\xEF\xBF\xBF";
        out += nonCharacter ? kReplacement : sequence;
        i += length;
    }
}

std::string XmlText(std::string_view bytes) {
    std::string out;
    AppendXmlText(out, bytes);
    return out;
}

}  // namespace walkconv
