// Any bytes, scanned as a sailorpoints file by the reader of the core and by the reference
// reader, from a fresh state and from a used one: both must end alike, with the same failure
// and place, the same state bit for bit, and the same details.
//
// The reference reader is the scanner as it was before comment lines were skipped; it is given
// the text with every comment line (";" or "#" its first byte but blanks) emptied, which the
// core must read alike.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/sailorpoints/sailorpoints_reader.h"
#include "differential.h"

namespace {

using namespace walkconv;

// `text` with the bytes of each comment line replaced by blanks, its line ends kept.
std::string WithoutCommentLines(std::string_view text) {
    std::string out(text);
    bool lineStart = true;
    bool comment = false;
    for (char& c : out) {
        if (c == '\r' || c == '\n') {
            lineStart = true;
            comment = false;
            continue;
        }
        if (lineStart && c != ' ' && c != '\t') {
            comment = c == ';' || c == '#';
            lineStart = false;
        }
        if (comment) {
            c = ' ';
        }
    }
    return out;
}

void Compare(std::string_view text, std::string_view seenText, const ConversionState& start) {
    ConversionState state = start;
    ConversionState expectedState = start;
    AnalysisDetails details;
    AnalysisDetails expectedDetails;
    const fuzz::ScanEnd end =
        fuzz::RunScan(state, details, [&](auto& s, auto& d) { ScanSailorpointsText(text, s, &d); });
    const fuzz::ScanEnd expected =
        fuzz::RunScan(expectedState, expectedDetails,
                      [&](auto& s, auto& d) { reference::ScanSailorpointsText(seenText, s, &d); });
    fuzz::RequireSameEnd(end, expected);
    fuzz::RequireSameState(state, expectedState);
    fuzz::RequireSameDetails(details, expectedDetails);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ConversionState fresh;
    fresh.PointCount = -1;  // as an analysis starts a sailorpoints file
    fresh.LinkCount = -1;
    const std::string seen = WithoutCommentLines(text);
    Compare(text, seen, fresh);
    Compare(text, seen, fuzz::UsedState(size, -1));
    fuzz::RequireSameNumbers(text);
    return 0;
}
