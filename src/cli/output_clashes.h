#pragma once

#include <optional>
#include <span>
#include <string>

// Outputs of one command that would overwrite one another, found before anything is written.
namespace walkconv::cli {

// The output that one input would be written to.
struct PlannedOutput {
    std::string input;
    std::string output;
};

// Two inputs whose outputs are one file.
struct OutputClash {
    std::string first;   // the earlier input
    std::string second;  // the later one
    std::string output;  // the later one's output, as it is spelt

    // "INPUT and INPUT would both write OUTPUT".
    std::string Text() const;
};

// The first pair of `planned` (in the order of the inputs) whose outputs name the same file,
// however spelt: "." and "..", links, and on Windows letter case do not tell files apart. An
// output that is its own input is no clash.
std::optional<OutputClash> FindOutputClash(std::span<const PlannedOutput> planned);

}  // namespace walkconv::cli
