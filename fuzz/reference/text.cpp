#include "reference/reference_readers.h"

namespace walkconv::reference {

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

}  // namespace walkconv::reference
