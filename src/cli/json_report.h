#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "cli/exit_status.h"
#include "core/conversion_error.h"
#include "core/conversion_state.h"
#include "core/editing/repairs.h"
#include "core/findings/findings.h"

// check --format json: one document on stdout for the whole batch, an array with one object
// per input in the order of the inputs.
namespace walkconv::cli {

// What is known of an input that could not be checked; what is not known is null.
struct PartialSummary {
    std::optional<std::string> model;
    std::optional<int> points;
    std::optional<int> links;
};

// An output that could not be written, and why.
struct WriteFailure {
    std::string output;
    std::string reason;
};

// The objects of which command the document holds.
enum class ReportOf { Check, Fix };

class JsonReport {
  public:
    // An input that analysed as valid: its summary, and its findings split into warnings and
    // notes, each with its code, its message and the points or link it concerns.
    void AddChecked(const std::string& input, ExitStatus status, const ConversionState& state,
                    std::span<const Finding> findings);

    // An input that could not be checked, with `message` as its line in text mode says it
    // after "INPUT: "; a failed one with the failure's reason and place as its "error".
    void AddRefused(const std::string& input, ExitStatus status, std::string_view message,
                    const PartialSummary& known, const Failure* failure = nullptr,
                    ReportOf command = ReportOf::Check);

    // An input that edit read: the file written, if any; the change as diff's document gives
    // it (`diffJson`, null when an operation was refused); and what went wrong, if anything.
    void AddEdited(const std::string& input, ExitStatus status,
                   const std::optional<std::string>& output, const std::string* diffJson,
                   std::string_view message);

    // An input that fix read: the file written, if any; each repair with its code, its
    // description, its link and its place; the warnings left for a person and the notes;
    // why the repairs could not be made, or not saved in the input's text, if so; and why the
    // output could not be written, if it could not.
    void AddFixed(const std::string& input, ExitStatus status,
                  const std::optional<std::string>& output, std::span<const Repair> repairs,
                  std::span<const Finding> left, std::string_view refusal,
                  const std::optional<WriteFailure>& writeFailure = std::nullopt,
                  std::string_view saveRefusal = {});

    // The document; a byte that is not part of UTF-8 text (in a path, say) is written as U+FFFD.
    void Print(std::ostream& out) const;

  private:
    nlohmann::ordered_json inputs_ = nlohmann::ordered_json::array();
};

}  // namespace walkconv::cli
