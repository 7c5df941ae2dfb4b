// libFuzzer entry for both readers: any bytes, read as a walk source and as a sailorpoints
// file, must either fail with ConversionError or leave a state that the writers can write and
// whose links all have two ends of 0 or more.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "common/conversion_error.h"
#include "common/conversion_state.h"
#include "sailorpoints_to_walk/sailorpoints_reader.h"
#include "sailorpoints_to_walk/walk_writer.h"
#include "walk_to_sailorpoints/sailorpoints_writer.h"
#include "walk_to_sailorpoints/walk_reader.h"

namespace {

template <typename Scan>
void ReadAndWrite(std::string_view text, std::int16_t initialCount, Scan scan) {
    walkconv::ConversionState state;
    state.PointCount = initialCount;
    state.LinkCount = initialCount;
    try {
        scan(text, state);
        walkconv::DropLinksWithNegativeEnds(state);
    } catch (const walkconv::ConversionError&) {
        return;
    }
    if (state.PointCount > walkconv::kTableSize || state.LinkCount > walkconv::kTableSize) {
        std::abort();
    }
    for (int i = 0; i < state.LinkCount; ++i) {
        if (state.Links[i].from < 0 || state.Links[i].to < 0) {
            std::abort();
        }
    }
    walkconv::FormatSailorpoints(state);
    walkconv::FormatWalkSource(state);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ReadAndWrite(text, 0, [](std::string_view t, walkconv::ConversionState& s) {
        walkconv::ScanWalkText(t, s);
    });
    ReadAndWrite(text, -1, walkconv::ScanSailorpointsText);
    return 0;
}
