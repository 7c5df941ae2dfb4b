#include "core/editing/document_file.h"

#include "core/editing/text_keeping_save.h"
#include "core/file_kinds.h"
#include "core/text_file.h"

namespace walkconv {

DocumentReading ReadDocument(const std::string& inputPath, InputKind kind) {
    DocumentReading reading;
    WalkSourceFacts facts;
    TextLocations text;
    const bool walkSource = kind == InputKind::WalkSource;
    reading.outcome = AnalyseFile(kind, inputPath, reading.state, &reading.details, &facts,
                                  TypeCodes::OwnKind, &text);
    if (reading.outcome == AnalysisOutcome::Valid) {
        reading.document =
            DocumentOf(kind, reading.state, reading.details, walkSource ? &facts : nullptr, &text);
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

std::string SavedText(const GraphDocument& document, std::string_view name,
                      bool removeNegativeEnds) {
    if (!HasKeptText(document)) {
        return FormatDocument(document, document.kind);
    }
    KeptText kept = KeepText(document, removeNegativeEnds);
    if (!kept.Kept()) {
        const std::string line = kept.refusalLine > 0 ? std::to_string(kept.refusalLine) + ":" : "";
        throw SaveRefused("cannot save in place: " + std::string(name) + ":" + line + " " +
                          kept.refusal + "; Save as writes a new file");
    }
    return std::move(kept.text);
}

void SaveDocument(const std::filesystem::path& path, const GraphDocument& document,
                  bool removeNegativeEnds) {
    WriteFileAtomically(path,
                        SavedText(document, Utf8FromPath(path.filename()), removeNegativeEnds));
}

}  // namespace walkconv
