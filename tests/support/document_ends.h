#pragma once

#include <utility>
#include <vector>

#include "core/editing/graph_document.h"

namespace walkconv::testing {

// The ends of every link of `document`, in its order.
inline std::vector<std::pair<int, int>> EndsOf(const GraphDocument& document) {
    std::vector<std::pair<int, int>> ends;
    for (const DocumentLink& link : document.links) {
        ends.emplace_back(link.ends.from, link.ends.to);
    }
    return ends;
}

}  // namespace walkconv::testing
