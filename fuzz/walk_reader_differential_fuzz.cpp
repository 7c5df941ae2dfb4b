// Any bytes, scanned as a walk source by the reader of the core and by the reference reader,
// from a fresh state with the facts noted and from a used state without them: both must end
// alike, with the same failure and place, the same state bit for bit, and the same facts and
// details.
//
// The reference reader is the scanner as it was before comments were taken out and links read
// as their value. It is given the text with the comments blanked out, so that files with
// comments are compared too; left out are the inputs in which a graph statement's value is a
// link written other than "(A)*256 + (B)" (as A*256 + B in another spelling, or as one number),
// which the reference read by its parentheses alone.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/text.h"
#include "core/walk/comments.h"
#include "core/walk/link_value.h"
#include "core/walk/walk_reader.h"
#include "differential.h"

namespace {

using namespace walkconv;

void RequireSameFacts(const WalkSourceFacts& a, const WalkSourceFacts& b) {
    fuzz::Require(a.declaredVerts == b.declaredVerts && a.declaredTypes == b.declaredTypes &&
                      a.declaredGraph == b.declaredGraph,
                  "the same declared sizes");
    fuzz::Require(a.assignedCount.has_value() == b.assignedCount.has_value() &&
                      (!a.assignedCount || fuzz::SameBits(*a.assignedCount, *b.assignedCount)),
                  "the same assigned count");
    fuzz::Require(a.wideLinks == b.wideLinks, "the same wide links");
    fuzz::Require(a.assignedVerts == b.assignedVerts && a.assignedGraph == b.assignedGraph,
                  "the same assigned extents");
}

// True when a statement (text between ";" and line ends) holding "walk_graph" assigns it a
// value that the core reads as A*256 + B or N where the reference looked for parentheses.
bool HoldsNewLinkForm(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of(";\r\n", start);
        end = end == std::string_view::npos ? text.size() : end;
        const std::string_view statement = text.substr(start, end - start);
        const std::size_t keyword = FindAnyCase(statement, "WALK_GRAPH");
        const std::size_t equals = statement.find('=', keyword);
        if (keyword != std::string_view::npos && equals != std::string_view::npos) {
            const LinkForm form = ReadLinkValue(statement.substr(equals + 1)).form;
            if (form == LinkForm::Product || form == LinkForm::OneNumber) {
                return true;
            }
        }
        start = end + 1;
    }
    return false;
}

void Compare(std::string_view text, std::string_view seenText, const ConversionState& start,
             bool withFacts) {
    ConversionState state = start;
    ConversionState expectedState = start;
    AnalysisDetails details;
    AnalysisDetails expectedDetails;
    WalkSourceFacts facts;
    WalkSourceFacts expectedFacts;
    const fuzz::ScanEnd end = fuzz::RunScan(state, details, [&](auto& s, auto& d) {
        ScanWalkText(text, s, withFacts ? &facts : nullptr, &d);
    });
    const fuzz::ScanEnd expected =
        fuzz::RunScan(expectedState, expectedDetails, [&](auto& s, auto& d) {
            reference::ScanWalkText(seenText, s, withFacts ? &expectedFacts : nullptr, &d);
        });
    fuzz::RequireSameEnd(end, expected);
    fuzz::RequireSameState(state, expectedState);
    fuzz::RequireSameDetails(details, expectedDetails);
    RequireSameFacts(facts, expectedFacts);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string seen = BlankComments(text);
    if (!HoldsNewLinkForm(seen)) {
        Compare(text, seen, ConversionState{}, true);
        Compare(text, seen, fuzz::UsedState(size, 0), false);
    }
    fuzz::RequireSameNumbers(text);
    return 0;
}
