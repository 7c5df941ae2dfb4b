#include "app/graph_content.h"

namespace walkconv::app {

std::shared_ptr<const GraphContent> MakeGraphContent(const ConversionState& state,
                                                     const AnalysisDetails& details,
                                                     const WalkSourceFacts* walkFacts) {
    auto content = std::make_shared<GraphContent>();
    content->model = state.ModelName;
    content->findings = CollectFindings(state, details, walkFacts);
    content->drawing = DrawGraph(state, content->findings);
    return content;
}

std::vector<std::string> FindingRows(const GraphContent& content) {
    std::vector<std::string> rows;
    for (const Finding& finding : content.findings) {
        const char* severity = finding.severity == FindingSeverity::Warning ? "warning" : "note";
        rows.push_back(std::string(severity) + ": " + finding.message);
    }
    if (rows.empty()) {
        rows.emplace_back("No findings");
    }
    return rows;
}

}  // namespace walkconv::app
