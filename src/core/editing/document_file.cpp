#include "core/editing/document_file.h"

#include "core/file_kinds.h"
#include "core/text_file.h"

namespace walkconv {

DocumentReading ReadDocument(const std::string& inputPath, InputKind kind) {
    DocumentReading reading;
    WalkSourceFacts facts;
    const bool walkSource = kind == InputKind::WalkSource;
    reading.outcome =
        AnalyseFile(kind, inputPath, reading.state, &reading.details, &facts, TypeCodes::OwnKind);
    if (reading.outcome == AnalysisOutcome::Valid) {
        reading.document =
            DocumentOf(kind, reading.state, reading.details, walkSource ? &facts : nullptr);
    }
    return reading;
}

std::string FormatDocument(const GraphDocument& document, InputKind kind) {
    return FormatFile(kind, StateOf(document, kind));
}

void WriteDocument(const std::filesystem::path& path, const GraphDocument& document,
                   InputKind kind) {
    WriteFileAtomically(path, FormatDocument(document, kind));
}

}  // namespace walkconv
