#include "core/walk/comments.h"

#include <algorithm>

#include "core/text.h"

namespace walkconv {

namespace {

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

bool IsSpaceOrTab(char c) {
    return c == ' ' || c == '\t';
}

// Where the line holding `at` ends: its CR or LF, or the end of the text.
std::size_t LineEndFrom(std::string_view text, std::size_t at) {
    const std::size_t end = FindEitherByte(text, at, '\r', '\n');
    return end == kNone ? text.size() : end;
}

// True when a backslash, perhaps followed by blanks, stands before the line end at `end` and
// after `from`: the compiler then joins the next line to this one.
bool JoinsNextLine(std::string_view text, std::size_t from, std::size_t end) {
    if (end >= text.size()) {
        return false;
    }
    std::size_t at = end;
    while (at > from && IsSpaceOrTab(text[at - 1])) {
        --at;
    }
    return at > from && text[at - 1] == '\\';
}

void Blank(std::string& out, std::size_t from, std::size_t to) {
    std::replace_if(
        out.begin() + static_cast<std::ptrdiff_t>(from),
        out.begin() + static_cast<std::ptrdiff_t>(to), [](char c) { return !IsLineEnd(c); }, ' ');
}

// Blanks the "//" comment at `at`; returns where the text after it begins.
std::size_t BlankLineComment(std::string_view text, std::size_t at, std::string& out) {
    std::size_t from = at;
    while (true) {
        const std::size_t end = LineEndFrom(text, from);
        Blank(out, from, end);
        if (!JoinsNextLine(text, from, end)) {
            return end;
        }
        from = NextLineStart(text, end);
    }
}

// Blanks the "/*" comment at `at`; returns where the text after it begins.
std::size_t BlankBlockComment(std::string_view text, std::size_t at, std::string& out) {
    const std::size_t close = text.find("*/", at + 2);
    const std::size_t end = close == kNone ? text.size() : close + 2;
    Blank(out, at, end);
    return end;
}

// Where the text after the literal opened by the quote at `at` begins. A backslash escapes the
// byte after it, or joins the next line.
std::size_t SkipLiteral(std::string_view text, std::size_t at) {
    const char quote = text[at];
    std::size_t pos = at + 1;
    while (pos < text.size()) {
        const char c = text[pos];
        if (c == quote || IsLineEnd(c)) {
            return c == quote ? pos + 1 : pos;
        }
        if (c == '\\') {
            std::size_t next = pos + 1;
            while (next < text.size() && IsSpaceOrTab(text[next])) {
                ++next;
            }
            pos = next < text.size() && IsLineEnd(text[next]) ? NextLineStart(text, next) : pos + 2;
            continue;
        }
        ++pos;
    }
    return text.size();
}

}  // namespace

bool MayHoldComments(std::string_view text) {
    return text.find('/') != kNone;
}

std::string BlankComments(std::string_view text) {
    std::string out(text);
    // The next "/" and the next quote, each searched for again only once passed.
    std::size_t slash = text.find('/');
    std::size_t quote = FindEitherByte(text, 0, '"', '\'');
    std::size_t at = 0;
    while (true) {
        if (slash < at) {
            slash = text.find('/', at);
        }
        if (quote < at) {
            quote = FindEitherByte(text, at, '"', '\'');
        }
        at = std::min(slash, quote);
        if (at == kNone) {
            return out;
        }
        if (at == quote) {
            at = SkipLiteral(text, at);
        } else if (text.compare(at, 2, "//") == 0) {
            at = BlankLineComment(text, at, out);
        } else if (text.compare(at, 2, "/*") == 0) {
            at = BlankBlockComment(text, at, out);
        } else {
            ++at;
        }
    }
}

}  // namespace walkconv
