// Any bytes, scanned as a walk source by the reader of the core and by the reference reader,
// from a fresh state with the facts noted and from a used state without them: both must end
// alike, with the same failure and place, the same state bit for bit, and the same facts and
// details.
#include <cstddef>
#include <cstdint>
#include <string_view>

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

void Compare(std::string_view text, const ConversionState& start, bool withFacts) {
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
            reference::ScanWalkText(text, s, withFacts ? &expectedFacts : nullptr, &d);
        });
    fuzz::RequireSameEnd(end, expected);
    fuzz::RequireSameState(state, expectedState);
    fuzz::RequireSameDetails(details, expectedDetails);
    RequireSameFacts(facts, expectedFacts);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Compare(text, ConversionState{}, true);
    Compare(text, fuzz::UsedState(size, 0), false);
    fuzz::RequireSameNumbers(text);
    return 0;
}
