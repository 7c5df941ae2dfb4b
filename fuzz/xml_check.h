#pragma once

// A strict check that a text is a well-formed XML document of the kind the SVG writer makes:
// an XML declaration, one root element, no document type, CDATA or processing instruction
// beyond the declaration, names of ASCII letters, digits and "._:-", every character one that
// XML allows, and every reference one of the five named ones or a character reference.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace walkconv::fuzz {

class XmlCheck {
  public:
    // Called for every attribute with its element's name, its name and its value as written.
    using AttributeVisitor = std::function<void(std::string_view element, std::string_view name,
                                                std::string_view value)>;

    // Empty when `text` is well-formed, else what is wrong and where.
    static std::string Problem(std::string_view text, const AttributeVisitor& visit = {}) {
        XmlCheck check(text, visit);
        return check.Run();
    }

  private:
    XmlCheck(std::string_view text, const AttributeVisitor& visit) : text_(text), visit_(visit) {}

    struct Failure {
        std::string what;
    };

    [[noreturn]] void Fail(const std::string& what) const {
        throw Failure{what + " at byte " + std::to_string(pos_)};
    }

    static bool IsXmlCharacter(std::uint32_t c) {
        return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
               (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
    }

    // Every byte sequence is UTF-8 and every character one that XML allows.
    void CheckCharacters() {
        const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text_[i]); };
        for (pos_ = 0; pos_ < text_.size();) {
            const std::uint8_t lead = byte(pos_);
            std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
            if ((lead >= 0x80 && lead < 0xC2) || lead > 0xF4 || pos_ + length > text_.size()) {
                Fail("a byte that begins no UTF-8 character");
            }
            std::uint32_t c = length == 1 ? lead : lead & (0x7F >> length);
            for (std::size_t i = 1; i < length; ++i) {
                if ((byte(pos_ + i) & 0xC0) != 0x80) {
                    Fail("a UTF-8 character cut short");
                }
                c = (c << 6) | (byte(pos_ + i) & 0x3F);
            }
            static constexpr std::uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
            if (c < kLeast[length] || !IsXmlCharacter(c)) {
                Fail("a character XML does not allow");
            }
            pos_ += length;
        }
        pos_ = 0;
    }

    bool At(std::string_view s) const { return text_.substr(pos_, s.size()) == s; }

    void Expect(std::string_view s) {
        if (!At(s)) {
            Fail("expected '" + std::string(s) + "'");
        }
        pos_ += s.size();
    }

    void SkipSpace() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' ||
                                       text_[pos_] == '\n' || text_[pos_] == '\r')) {
            ++pos_;
        }
    }

    std::string_view Name() {
        const auto first = [](char c) {
            return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':';
        };
        const auto next = [&](char c) {
            return first(c) || (c >= '0' && c <= '9') || c == '.' || c == '-';
        };
        const std::size_t start = pos_;
        if (pos_ >= text_.size() || !first(text_[pos_])) {
            Fail("expected a name");
        }
        while (pos_ < text_.size() && next(text_[pos_])) {
            ++pos_;
        }
        return text_.substr(start, pos_ - start);
    }

    // A reference after "&": a named one of the five, or a character reference.
    void Reference() {
        ++pos_;
        if (At("#")) {
            ++pos_;
            const bool hex = At("x");
            pos_ += hex ? 1 : 0;
            std::uint32_t c = 0;
            std::size_t digits = 0;
            for (; pos_ < text_.size() && text_[pos_] != ';'; ++pos_, ++digits) {
                const char d = text_[pos_];
                int value = d >= '0' && d <= '9' ? d - '0' : -1;
                if (hex && value < 0) {
                    value = d >= 'a' && d <= 'f'   ? d - 'a' + 10
                            : d >= 'A' && d <= 'F' ? d - 'A' + 10
                                                   : -1;
                }
                if (value < 0 || digits > 8) {
                    Fail("a bad character reference");
                }
                c = c * (hex ? 16 : 10) + static_cast<std::uint32_t>(value);
            }
            if (digits == 0 || !IsXmlCharacter(c)) {
                Fail("a character reference to no XML character");
            }
        } else {
            const std::string_view name = Name();
            if (name != "amp" && name != "lt" && name != "gt" && name != "quot" && name != "apos") {
                Fail("an unknown entity");
            }
        }
        Expect(";");
    }

    // Character data up to the next "<", or an attribute value up to its quote.
    void Characters(char end, bool spaceOnly) {
        while (pos_ < text_.size() && text_[pos_] != end) {
            const char c = text_[pos_];
            if (c == '&') {
                if (spaceOnly) {
                    Fail("text outside the root element");
                }
                Reference();
                continue;
            }
            if ((c == '<' && end != '<') ||
                (spaceOnly && c != ' ' && c != '\t' && c != '\n' && c != '\r')) {
                Fail(spaceOnly ? "text outside the root element" : "'<' in an attribute value");
            }
            if (c == ']' && At("]]>")) {
                Fail("']]>' in character data");
            }
            ++pos_;
        }
    }

    void StartTag(std::vector<std::string_view>& open) {
        ++pos_;
        const std::string_view element = Name();
        std::set<std::string_view> names;
        while (true) {
            const std::size_t before = pos_;
            SkipSpace();
            if (At("/>") || At(">")) {
                break;
            }
            if (pos_ == before) {
                Fail("no space before an attribute");
            }
            const std::string_view name = Name();
            if (!names.insert(name).second) {
                Fail("an attribute given twice");
            }
            SkipSpace();
            Expect("=");
            SkipSpace();
            if (pos_ >= text_.size() || (text_[pos_] != '"' && text_[pos_] != '\'')) {
                Fail("an attribute value without quotes");
            }
            const char quote = text_[pos_++];
            const std::size_t start = pos_;
            Characters(quote, false);
            const std::string_view value = text_.substr(start, pos_ - start);
            Expect(std::string_view(&quote, 1));
            if (visit_) {
                visit_(element, name, value);
            }
        }
        if (At("/>")) {
            pos_ += 2;
        } else {
            ++pos_;
            open.push_back(element);
        }
    }

    std::string Run() {
        try {
            CheckCharacters();
            Expect("<?xml");
            const std::size_t end = text_.find("?>", pos_);
            if (end == std::string_view::npos) {
                Fail("an XML declaration without its end");
            }
            pos_ = end + 2;
            std::vector<std::string_view> open;
            bool rootDone = false;
            while (pos_ < text_.size()) {
                const bool outside = open.empty();
                if (At("<!--")) {
                    const std::size_t close = text_.find("--", pos_ + 4);
                    if (close == std::string_view::npos || text_.substr(close, 3) != "-->") {
                        Fail("a comment with '--' or without its end");
                    }
                    pos_ = close + 3;
                } else if (At("</")) {
                    pos_ += 2;
                    const std::string_view name = Name();
                    SkipSpace();
                    Expect(">");
                    if (outside || open.back() != name) {
                        Fail("an end tag that closes no open element");
                    }
                    open.pop_back();
                    rootDone = open.empty();
                } else if (At("<?") || At("<!")) {
                    Fail("markup this writer never makes");
                } else if (At("<")) {
                    if (rootDone) {
                        Fail("a second root element");
                    }
                    StartTag(open);
                    rootDone = open.empty();
                } else {
                    Characters('<', outside);
                }
            }
            if (!open.empty() || !rootDone) {
                Fail("the root element is not closed");
            }
        } catch (const Failure& failure) {
            return failure.what;
        }
        return {};
    }

    std::string_view text_;
    const AttributeVisitor& visit_;
    std::size_t pos_ = 0;
};

}  // namespace walkconv::fuzz
