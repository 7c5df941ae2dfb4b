// Any bytes, read as a walk source and as a sailorpoints file. Whenever the analysis is valid,
// its picture is a well-formed XML document with one titled element for each point and link,
// every number in an attribute plain (digits, a point and two decimals), and the same bytes
// when drawn again.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/drawing/svg_writer.h"
#include "core/findings/findings.h"
#include "core/sailorpoints/sailorpoints_reader.h"
#include "core/walk/walk_reader.h"
#include "fuzz_support.h"
#include "xml_check.h"

namespace {

using namespace walkconv;

// "-12.34": an optional minus, digits, a point and two digits.
bool IsPlainNumber(std::string_view text) {
    if (text.starts_with('-')) {
        text.remove_prefix(1);
    }
    const std::size_t point = text.find('.');
    if (point == 0 || point == std::string_view::npos || text.size() != point + 3) {
        return false;
    }
    return text.find_first_not_of("0123456789.") == std::string_view::npos &&
           text.find('.', point + 1) == std::string_view::npos;
}

// The numbers of a path's "d": plain, between the letters M and L and single blanks.
bool IsPlainPath(std::string_view d) {
    std::size_t start = 0;
    for (std::size_t i = 0; i <= d.size(); ++i) {
        if (i == d.size() || d[i] == 'M' || d[i] == 'L' || d[i] == ' ') {
            if (i > start && !IsPlainNumber(d.substr(start, i - start))) {
                return false;
            }
            start = i + 1;
        }
    }
    return true;
}

std::size_t Occurrences(std::string_view text, std::string_view part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string_view::npos;
         at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

void CheckPicture(const ConversionState& state, const std::vector<Finding>& findings) {
    const std::string svg = FormatGraphSvg(DrawGraph(state, findings));
    bool plain = true;
    const std::string problem = fuzz::XmlCheck::Problem(
        svg, [&](std::string_view, std::string_view name, std::string_view value) {
            if (name == "d") {
                plain = plain && IsPlainPath(value);
            } else if (name != "class" && name != "fill" && name != "stroke" &&
                       name != "text-anchor" && name != "xmlns" && name != "version" &&
                       name != "viewBox" && name != "type" && value != "100%") {
                plain = plain && IsPlainNumber(value);
            }
        });
    if (!problem.empty()) {
        std::fprintf(stderr, "%s\n", problem.c_str());
    }
    fuzz::Require(problem.empty(), "the picture is well-formed XML");
    fuzz::Require(plain, "every number in an attribute is plain");
    // The titles of points and links follow their element's start tag; the picture's own title
    // stands on a line of its own.
    fuzz::Require(Occurrences(svg, "><title>point ") == static_cast<std::size_t>(state.PointCount),
                  "one titled element for each point");
    fuzz::Require(Occurrences(svg, "><title>link ") == static_cast<std::size_t>(state.LinkCount),
                  "one titled element for each link");
    fuzz::Require(FormatGraphSvg(DrawGraph(state, findings)) == svg, "the same picture every time");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const fuzz::Scratch& scratch = fuzz::ScratchFolder();
    {
        ConversionState state;
        AnalysisDetails details;
        WalkSourceFacts facts;
        if (AnalyseWalk(scratch.Put("fuzz_walk.c", bytes), state, &details, &facts) ==
            AnalysisOutcome::Valid) {
            CheckPicture(state, CollectFindings(state, details, &facts));
        }
    }
    ConversionState state;
    AnalysisDetails details;
    if (AnalyseSailorpoints(scratch.Put("fuzz1.ini", bytes), state, &details) ==
        AnalysisOutcome::Valid) {
        CheckPicture(state, CollectFindings(state, details, nullptr));
    }
    return 0;
}
