#pragma once

#include <string>
#include <string_view>

// The comments of a walk source, which a C compiler never sees and the reader does not read.
namespace walkconv {

// `text` with the bytes of every comment replaced by blanks, but for the line ends inside
// comments, so that every other byte keeps its line and its column. A comment is "//" up to
// the end of its line, continued onto the next line when the line ends in a backslash (blanks
// after it allowed), as the compiler joins such lines; or "/*" up to and including the next
// "*/", or to the end of the text when none follows. Neither begins inside a string or
// character literal or inside another comment; a literal ends at its closing quote or at the
// end of its line.
std::string BlankComments(std::string_view text);

// False when `text` cannot hold a comment (it has no "/"): its blanked text is the text itself.
bool MayHoldComments(std::string_view text);

}  // namespace walkconv
