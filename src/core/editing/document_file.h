#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/analysis.h"
#include "core/conversion_error.h"
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

// A save that the text of the document's file cannot carry. Its message:
// "cannot save in place: NAME:LINE: REASON; Save as writes a new file".
class SaveRefused : public ConversionError {
  public:
    using ConversionError::ConversionError;
};

// What saving `document` in its own kind writes: the text of the file it was read from with
// the edits made in it, when it remembers that text; else the writer's layout. `name` is the
// file named in a refusal; `removeNegativeEnds` as KeepText takes it. Throws SaveRefused when
// the file's text cannot carry the edits.
std::string SavedText(const GraphDocument& document, std::string_view name,
                      bool removeNegativeEnds = false);

// Writes SavedText(document, the path's name, removeNegativeEnds) to `path`, replacing it
// atomically; nothing is written when the save is refused. Throws SaveRefused, or
// ConversionError when the file cannot be written.
void SaveDocument(const std::filesystem::path& path, const GraphDocument& document,
                  bool removeNegativeEnds = false);

}  // namespace walkconv
