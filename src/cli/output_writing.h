#pragma once

#include <ostream>
#include <string>
#include <string_view>

// How a command hands over the bytes of one output: to the standard output, into a device as
// it stands, or as a file replaced in one step.
namespace walkconv::cli {

// The output name that stands for the standard output.
inline constexpr std::string_view kStandardOutputName = "-";

// True when `output` is the standard output: "-", or the system's own name for it
// (/dev/stdout). The output's bytes then fill it, and the lines about the input go to stderr.
bool IsStandardOutput(const std::string& output);

// Writes `content` as the output named `output`: the standard output's names to `out`, the
// standard error's to `err`, and any other name with WriteOutputFile. Throws ConversionError
// (or the file system's exception) with the reason when it cannot.
void WriteOutput(const std::string& output, std::string_view content, std::ostream& out,
                 std::ostream& err);

}  // namespace walkconv::cli
