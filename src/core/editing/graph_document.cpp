#include "core/editing/graph_document.h"

#include "core/point_types.h"

namespace walkconv {

GraphDocument DocumentOf(InputKind kind, const ConversionState& state,
                         const AnalysisDetails& details, const WalkSourceFacts* walkFacts,
                         TextLocations* text) {
    GraphDocument document;
    document.kind = kind;
    document.modelName = state.ModelName;
    for (int i = 0; i < state.PointCount; ++i) {
        document.points.push_back(state.Points[i]);
        document.pointFileNumbers.push_back(i);
    }
    for (int i = 0; i < state.LinkCount; ++i) {
        document.links.push_back({state.Links[i], details.FileNumberOfLink(i)});
    }
    auto file = std::make_shared<FileFacts>();
    file->details = details;
    file->details.failure = {};
    if (walkFacts != nullptr) {
        file->walk = *walkFacts;
    }
    file->linkCount = details.FileLinkCount(state.LinkCount);
    if (text != nullptr) {
        file->text = std::move(*text);
        file->points = document.points;
        // The links dropped for a negative end take their places among those kept.
        std::size_t kept = 0;
        std::size_t dropped = 0;
        for (int number = 0; number < file->linkCount; ++number) {
            const auto& gone = details.droppedLinkEnds;
            if (dropped < gone.size() && gone[dropped].number == number) {
                file->fileLinks.push_back(gone[dropped++].ends);
            } else if (kept < document.links.size()) {
                file->fileLinks.push_back(document.links[kept++].ends);
            }
        }
    }
    document.file = std::move(file);
    return document;
}

double TypeInKind(double type, InputKind from, InputKind to) {
    if (from == to) {
        return type;
    }
    return from == InputKind::WalkSource ? WalkTypeInSailorpoints(type)
                                         : SailorpointsTypeInWalk(type);
}

ConversionState StateOf(const GraphDocument& document, InputKind kind) {
    ConversionState state;
    state.ModelName = document.modelName;
    state.PointCount = static_cast<std::int16_t>(document.points.size());
    state.LinkCount = static_cast<std::int16_t>(document.links.size());
    for (int i = 0; i < state.PointCount; ++i) {
        Point point = document.points[static_cast<std::size_t>(i)];
        point.type = TypeInKind(point.type, document.kind, kind);
        state.Points[i] = point;
    }
    for (int i = 0; i < state.LinkCount; ++i) {
        state.Links[i] = document.links[static_cast<std::size_t>(i)].ends;
    }
    return state;
}

std::vector<Finding> FindingsOf(const GraphDocument& document, const ModelCheck* model) {
    AnalysisDetails details;
    WalkSourceFacts walk;
    if (document.file != nullptr) {
        details = document.file->details;
        if (document.file->walk) {
            walk = *document.file->walk;
        }
    }
    // The file's numbers of the links as they stand now, so that each finding about a link of
    // the file still points to its statement, whatever the edits renumbered.
    details.linkFileNumbers.clear();
    for (const DocumentLink& link : document.links) {
        details.linkFileNumbers.push_back(link.fileNumber);
    }
    details.fileLinkCount = document.file != nullptr ? document.file->linkCount : 0;
    const bool walkSource = document.kind == InputKind::WalkSource;
    return CollectFindings(StateOf(document, document.kind), details, walkSource ? &walk : nullptr,
                           model);
}

}  // namespace walkconv
