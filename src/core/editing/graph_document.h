#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/analysis.h"
#include "core/conversion_state.h"
#include "core/findings/findings.h"
#include "core/input_kind.h"
#include "core/statement_places.h"
#include "core/walk/walk_reader.h"

// The walking graph of one file as a value that edits change: its points and links, with the
// types in the file's own codes, and what its reading learnt about the file's text.
namespace walkconv {

// The most points and links a document holds: as many as both readers read back.
inline constexpr int kMostPoints = kTableSize;
inline constexpr int kMostLinks = kTableSize;

// What the reading of a file learnt beside its graph, for the findings about the file's text
// (links dropped for a negative end, declared sizes, where each link stands). Edits leave it
// alone: it speaks of the file as it was read until the document is written and read again.
struct FileFacts {
    AnalysisDetails details;
    std::optional<WalkSourceFacts> walk;  // for a walk source
    int linkCount = 0;                    // the file's links, those dropped included
    // For a document read for editing: the file's text with the places of its statements,
    // its points and every link of the file by its number (those dropped included), as read.
    std::optional<TextLocations> text;
    std::vector<Point> points;
    std::vector<Link> fileLinks;
};

// A link of a document, and which link of the file it was.
struct DocumentLink {
    static constexpr int kNotInFile = -1;

    Link ends;
    int fileNumber = kNotInFile;  // its number in the file read; kNotInFile for one added since

    friend bool operator==(const DocumentLink&, const DocumentLink&) = default;
};

struct GraphDocument {
    InputKind kind = InputKind::WalkSource;
    std::string modelName;
    std::vector<Point> points;  // x, y, z, and the type in the codes of `kind`
    std::vector<DocumentLink> links;
    std::shared_ptr<const FileFacts> file;  // none for a document that comes from no file
    // The file's number of each point, DocumentLink::kNotInFile for one added since; empty when
    // the document's points are not traced to a file. Edits keep it beside `points`.
    std::vector<int> pointFileNumbers;

    // Equal graphs: kind, model name, points and links; the file facts do not count.
    friend bool operator==(const GraphDocument& a, const GraphDocument& b) {
        return a.kind == b.kind && a.modelName == b.modelName && a.points == b.points &&
               a.links == b.links;
    }
};

// The document of a valid analysis in the codes of `kind` (the state's counts within the
// tables), with `walkFacts` for a walk source, and with `text` the text it was read from.
GraphDocument DocumentOf(InputKind kind, const ConversionState& state,
                         const AnalysisDetails& details, const WalkSourceFacts* walkFacts,
                         TextLocations* text = nullptr);

// `type` of a document of kind `from` in the codes of kind `to`, as converting maps it.
double TypeInKind(double type, InputKind from, InputKind to);

// The document as the writers and the checks take it, with the types in the codes of `kind`.
// The document must hold at most kMostPoints points and kMostLinks links.
ConversionState StateOf(const GraphDocument& document, InputKind kind);

// The findings about the document, as CollectFindings gives them for the file it was read
// from: the same codes and messages, each link numbered as the document numbers it; with
// `model`, the checks against the ship's model too.
std::vector<Finding> FindingsOf(const GraphDocument& document, const ModelCheck* model = nullptr);

}  // namespace walkconv
