// Any bytes, read as a walk source and as a sailorpoints file. Whenever the analysis is
// valid, writing the state in the other layout, reading that, writing it back in the first
// layout and reading again must give the same counts and links, the coordinates as their
// 15-digit text gives them, and the types as the two readers map them. A number whose
// 15-digit text lies beyond the largest double may make the way back fail.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/conversion_error.h"
#include "core/numbers.h"
#include "core/sailorpoints/sailorpoints_reader.h"
#include "core/sailorpoints/sailorpoints_writer.h"
#include "core/walk/walk_reader.h"
#include "core/walk/walk_writer.h"
#include "fuzz_support.h"

namespace {

using namespace walkconv;

// The type maps of the two readers: walk source 4 and 5 become 7 and 10; sailorpoints 7, 8
// and 9 become 4, and 10 becomes 5.
double FromWalkType(double type) {
    return type == 5 ? 10 : type == 4 ? 7 : type;
}
double FromSailorpointsType(double type) {
    return type == 7 || type == 8 || type == 9 ? 4 : type == 10 ? 5 : type;
}

// What a value becomes once written with 15 significant digits and read back.
double As15Digits(double value) {
    return TextToNumber(NumberToText(value));
}

// True when a coordinate or type of `state` is written as a text beyond the largest double
// ("1.79769313486232E+308"), which no reader takes back.
bool HasUnreadableNumber(const ConversionState& state) {
    for (int i = 0; i < state.PointCount; ++i) {
        const Point& point = state.Points[i];
        for (const double value : {point.x, point.y, point.z, point.type}) {
            try {
                As15Digits(value);
            } catch (const ConversionError&) {
                return true;
            }
        }
    }
    return false;
}

using Analyse = AnalysisOutcome (*)(const std::string&, ConversionState&);
using Format = std::string (*)(const ConversionState&);

AnalysisOutcome ReadWalk(const std::string& path, ConversionState& state) {
    return AnalyseWalk(path, state);
}
AnalysisOutcome ReadSailorpoints(const std::string& path, ConversionState& state) {
    return AnalyseSailorpoints(path, state);
}

struct Layout {
    const char* fileName;
    Analyse analyse;
    Format format;  // the writer into this layout
    double (*mapType)(double);
};

const Layout kWalk{"trip_walk.c", ReadWalk, FormatWalkSource, FromWalkType};
const Layout kSailorpoints{"trip1.ini", ReadSailorpoints, FormatSailorpoints, FromSailorpointsType};

// Reads `bytes` in layout `first`; when valid, goes through `other` and back.
void RoundTrip(std::string_view bytes, const Layout& first, const Layout& other) {
    const fuzz::Scratch& scratch = fuzz::ScratchFolder();
    ConversionState start;
    if (first.analyse(scratch.Put(first.fileName, bytes), start) != AnalysisOutcome::Valid) {
        return;
    }
    const bool mayFail = HasUnreadableNumber(start);

    ConversionState middle;
    const AnalysisOutcome there =
        other.analyse(scratch.Put(other.fileName, other.format(start)), middle);
    if (mayFail && there == AnalysisOutcome::Failed) {
        return;
    }
    fuzz::Require(there == AnalysisOutcome::Valid, "the converted file is valid");

    ConversionState end;
    const AnalysisOutcome back =
        first.analyse(scratch.Put(first.fileName, first.format(middle)), end);
    fuzz::Require(back == AnalysisOutcome::Valid, "the file converted back is valid");

    fuzz::Require(end.PointCount == start.PointCount, "the point count survives");
    fuzz::Require(end.LinkCount == start.LinkCount, "the link count survives");
    for (int i = 0; i < start.LinkCount; ++i) {
        fuzz::Require(end.Links[i] == start.Links[i], "every link survives");
    }
    for (int i = 0; i < start.PointCount; ++i) {
        const Point& before = start.Points[i];
        const Point& after = end.Points[i];
        for (int c = 0; c < 3; ++c) {
            fuzz::Require(after.Coordinate(c) == As15Digits(before.Coordinate(c)),
                          "a coordinate survives as its 15-digit text");
        }
        const double expectedType =
            first.mapType(As15Digits(other.mapType(As15Digits(before.type))));
        fuzz::Require(after.type == expectedType, "a type survives as the two maps give it");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    RoundTrip(bytes, kWalk, kSailorpoints);
    RoundTrip(bytes, kSailorpoints, kWalk);
    return 0;
}
