#pragma once

#include <filesystem>
#include <string>

#include "core/analysis.h"
#include "core/conversion_state.h"
#include "core/input_kind.h"
#include "core/point_types.h"
#include "core/statement_places.h"
#include "core/walk/walk_reader.h"

// The reader and the writer of each kind of file, chosen by kind in this one place for the
// windows and the command-line tool alike.
namespace walkconv {

// The Analyse command for a file of `kind`: the file at `inputPath` (UTF-8) into `state`;
// `facts` is filled for a walk source only; `located`, when given, receives the text read and
// where each statement stored stands in it.
AnalysisOutcome AnalyseFile(InputKind kind, const std::string& inputPath, ConversionState& state,
                            AnalysisDetails* details = nullptr, WalkSourceFacts* facts = nullptr,
                            TypeCodes codes = TypeCodes::OtherKind,
                            TextLocations* located = nullptr);

// The file of `kind` that the writer makes of `state`.
std::string FormatFile(InputKind kind, const ConversionState& state);

// Writes FormatFile(kind, state) to `path`, replacing it atomically.
// Throws ConversionError when the file cannot be written.
void WriteFile(InputKind kind, const std::filesystem::path& path, const ConversionState& state);

}  // namespace walkconv
