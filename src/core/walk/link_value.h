#pragma once

#include <cstdint>
#include <string_view>

// The value assigned to one entry of a walk source's graph array, read as a C compiler
// evaluates it: a link from point A to point B is the integer A*256 + B.
namespace walkconv {

enum class LinkForm {
    Other,          // none of the forms below
    Parenthesised,  // "(A)*256 + (B)" with decimal A and B, as the walk writer writes links
    Product,        // A*256 + B written otherwise: fewer or more parentheses, other literals
    OneNumber,      // one integer N, the link N / 256 -> N % 256 (both rounded toward zero)
};

struct LinkValue {
    LinkForm form = LinkForm::Other;
    std::int64_t first = 0;   // A, or N / 256
    std::int64_t second = 0;  // B, or N % 256
    // A and B as written; for a one-number link both are N.
    std::string_view firstText;
    std::string_view secondText;
};

// Reads `value`, the text between the "=" and the ";" of an assignment. The numbers are C
// integer literals without suffix (decimal, octal after a leading 0, hexadecimal after 0x),
// each with an optional sign; blanks may stand anywhere between them, and parentheses around
// any part that C evaluates on its own (A, B, 256, A*256, the whole). Time linear in the
// length of `value`; magnitudes beyond 2^62 are held as 2^62.
LinkValue ReadLinkValue(std::string_view value);

}  // namespace walkconv
