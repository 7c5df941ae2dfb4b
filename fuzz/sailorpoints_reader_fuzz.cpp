// Any bytes, saved as a sailorpoints file and analysed as the window does: the analysis ends
// in one of its outcomes, and a valid state can be written in both layouts.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/sailorpoints/sailorpoints_reader.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace walkconv;
    fuzz::AnalyseAndCheck(
        "fuzz1.ini", std::string_view(reinterpret_cast<const char*>(data), size),
        [](const std::string& path, ConversionState& state, AnalysisDetails& details) {
            return AnalyseSailorpoints(path, state, &details);
        });
    return 0;
}
