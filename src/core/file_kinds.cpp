#include "core/file_kinds.h"

#include "core/sailorpoints/sailorpoints_reader.h"
#include "core/sailorpoints/sailorpoints_writer.h"
#include "core/text_file.h"
#include "core/walk/walk_writer.h"

namespace walkconv {

AnalysisOutcome AnalyseFile(InputKind kind, const std::string& inputPath, ConversionState& state,
                            AnalysisDetails* details, WalkSourceFacts* facts, TypeCodes codes,
                            TextLocations* located) {
    return kind == InputKind::WalkSource
               ? AnalyseWalk(inputPath, state, details, facts, codes, located)
               : AnalyseSailorpoints(inputPath, state, details, codes, located);
}

std::string FormatFile(InputKind kind, const ConversionState& state) {
    return kind == InputKind::WalkSource ? FormatWalkSource(state) : FormatSailorpoints(state);
}

void WriteFile(InputKind kind, const std::filesystem::path& path, const ConversionState& state) {
    WriteFileAtomically(path, FormatFile(kind, state));
}

}  // namespace walkconv
