#pragma once

#include <string>
#include <string_view>

namespace walkconv {

// Appends `bytes` to `out` as XML character data that also serves as a double-quoted attribute
// value: "&", "<", ">", '"' and CR are written as references, and every byte sequence that is not
// UTF-8 (at most one U+FFFD for each maximal ill-formed part), every control character but tab
// and line feed, and U+FFFE and U+FFFF become U+FFFD. Any bytes give well-formed XML.
void AppendXmlText(std::string& out, std::string_view bytes);

// The same, as a new string.
std::string XmlText(std::string_view bytes);

}  // namespace walkconv
