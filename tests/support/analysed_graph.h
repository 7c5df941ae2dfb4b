#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/analysis.h"
#include "core/conversion_state.h"
#include "support/walk_samples.h"

// Small graphs as an analysis leaves them, for the tests of the findings and the picture.
namespace walkconv::testing {

using Ends = std::pair<int, int>;

struct AnalysedGraph {
    ConversionState state;
    AnalysisDetails details;
};

// The model "ship" with `points` and the links joining `links` as a file numbers them; the links
// with a negative end are dropped as RunAnalysis drops them, into the details.
inline AnalysedGraph Analysed(const std::vector<Point>& points, const std::vector<Ends>& links) {
    AnalysedGraph graph;
    graph.state.ModelName = "ship";
    graph.state.PointCount = static_cast<std::int16_t>(points.size());
    graph.state.LinkCount = static_cast<std::int16_t>(links.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        graph.state.Points[static_cast<int>(i)] = points[i];
    }
    for (std::size_t i = 0; i < links.size(); ++i) {
        graph.state.Links[static_cast<int>(i)] = Link{static_cast<std::int16_t>(links[i].first),
                                                      static_cast<std::int16_t>(links[i].second)};
    }
    graph.details.droppedLinks =
        DropLinksWithNegativeEnds(graph.state, &graph.details.droppedLinkEnds);
    return graph;
}

// The same with `count` points, all at the origin with type 0.
inline AnalysedGraph Analysed(int count, const std::vector<Ends>& links) {
    return Analysed(std::vector<Point>(static_cast<std::size_t>(count)), links);
}

// The largest graph the tables hold (SampleState) with a finding of each kind the views show:
// a self-link, a link made twice, a link to a point beyond the count, and one between two.
inline AnalysedGraph LargestWithFindings() {
    AnalysedGraph graph;
    graph.state = SampleState();
    graph.state.Links[10] = Link{10, 10};
    graph.state.Links[20] = Link{21, 20};
    graph.state.Links[30] = Link{30, 1200};
    graph.state.Links[40] = Link{1100, 1200};
    return graph;
}

}  // namespace walkconv::testing
