#include "cli/diagnostics.h"

#include "core/messages.h"

namespace walkconv::cli {

std::string Where(const std::string& input, const std::optional<SourcePlace>& place) {
    if (!place || place->line <= 0) {
        return input + ": ";
    }
    return input + ":" + std::to_string(place->line) + ":" + std::to_string(place->column) + ": ";
}

void PrintFindings(const std::string& input, std::span<const Finding> findings, bool verbose,
                   std::ostream& err) {
    for (const Finding& finding : findings) {
        if (finding.severity == FindingSeverity::Warning) {
            err << Where(input, finding.place) << "warning: " << finding.message << "\n";
        } else if (verbose) {
            err << Where(input, finding.place) << "note: " << finding.message << "\n";
        }
    }
}

std::string FailureReport(const std::string& input, const Failure& failure) {
    std::optional<SourcePlace> place;
    if (failure.line > 0) {
        place = SourcePlace{failure.line, failure.column};
    }
    std::string report =
        Where(input, place) +
        "error: " + (failure.message.empty() ? kInputCorruptedMessage : failure.message) + "\n";
    if (failure.lineText.empty() || failure.lineTextColumn <= 0) {
        return report;
    }
    // The line as it stands, but with control characters made harmless for the terminal; the
    // caret line keeps its tabs and skips the continuation bytes of UTF-8 characters, so that
    // the caret stands under the column.
    std::string shown;
    std::string caret;
    const auto column = static_cast<std::size_t>(failure.lineTextColumn);
    for (std::size_t i = 0; i < failure.lineText.size(); ++i) {
        const auto byte = static_cast<unsigned char>(failure.lineText[i]);
        const bool control = (byte < 0x20 && byte != '\t') || byte == 0x7F;
        shown += control ? '?' : static_cast<char>(byte);
        if (i + 1 < column && (byte & 0xC0) != 0x80) {
            caret += byte == '\t' ? '\t' : ' ';
        }
    }
    return report + shown + "\n" + caret + "^\n";
}

}  // namespace walkconv::cli
