#include "core/editing/document_file.h"

#include "core/sailorpoints/sailorpoints_reader.h"
#include "core/sailorpoints/sailorpoints_writer.h"
#include "core/text_file.h"
#include "core/walk/walk_reader.h"
#include "core/walk/walk_writer.h"

namespace walkconv {

DocumentReading ReadDocument(const std::string& inputPath, InputKind kind) {
    DocumentReading reading;
    WalkSourceFacts facts;
    const bool walkSource = kind == InputKind::WalkSource;
    reading.outcome =
        walkSource
            ? AnalyseWalk(inputPath, reading.state, &reading.details, &facts, TypeCodes::OwnKind)
            : AnalyseSailorpoints(inputPath, reading.state, &reading.details, TypeCodes::OwnKind);
    if (reading.outcome == AnalysisOutcome::Valid) {
        reading.document =
            DocumentOf(kind, reading.state, reading.details, walkSource ? &facts : nullptr);
    }
    return reading;
}

std::string FormatDocument(const GraphDocument& document, InputKind kind) {
    const ConversionState state = StateOf(document, kind);
    return kind == InputKind::WalkSource ? FormatWalkSource(state) : FormatSailorpoints(state);
}

void WriteDocument(const std::filesystem::path& path, const GraphDocument& document,
                   InputKind kind) {
    WriteFileAtomically(path, FormatDocument(document, kind));
}

}  // namespace walkconv
