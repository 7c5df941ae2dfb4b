#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "core/analysis.h"
#include "core/conversion_state.h"
#include "core/editing/graph_document.h"
#include "core/input_kind.h"

// Reading a graph document from a file and writing it as either kind.
namespace walkconv {

// What reading a document came to: the outcome and the details of the analysis (why and where
// it failed, when it did), the state the reader left (types in the file's own codes), and for
// a valid file the document.
struct DocumentReading {
    AnalysisOutcome outcome = AnalysisOutcome::NothingDone;
    ConversionState state;
    AnalysisDetails details;
    std::optional<GraphDocument> document;
};

// Analyses the file at `inputPath` (UTF-8) as a file of `kind`, keeping its type codes.
DocumentReading ReadDocument(const std::string& inputPath, InputKind kind);

// The file the writer of `kind` makes of the document, under the document's model name; written
// in the other kind, the types are mapped as converting maps them. The document must hold at
// most kMostPoints points and kMostLinks links, as every edit keeps it.
std::string FormatDocument(const GraphDocument& document, InputKind kind);

// Writes FormatDocument(document, kind) to `path`, replacing it atomically.
// Throws ConversionError when the file cannot be written.
void WriteDocument(const std::filesystem::path& path, const GraphDocument& document,
                   InputKind kind);

}  // namespace walkconv
