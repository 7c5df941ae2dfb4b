#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "core/diff/graph_diff.h"

// How walkconv diff says what changed: one line per difference, or one JSON document.
namespace walkconv::cli {

// "point 5 removed (1.5, 0.8, -3.2, type 0)", "point 12 -> 11 moved (...) -> (...)",
// "point 20 -> 19 type 3 -> 5" (each type in its own file's codes, "type 4 (walk) -> 9 (ini)"
// when the kinds differ), "point 41 added (...)", "link 2-9 removed", "link 3-17 added",
// each ending with a line feed, then the summary line; `points` and `links` are B's counts.
std::string DiffLines(const GraphDiff& diff, std::size_t points, std::size_t links);

// {"a": A, "b": B, "same": ..., "points_removed": [...], "points_added": [...],
// "points_changed": [...], "links_removed": [...], "links_added": [...]}, with "path" first
// when git names the file; every list sorted, each link with its lower end first.
std::string DiffJson(const std::string& a, const std::string& b, const GraphDiff& diff,
                     const std::optional<std::string>& gitPath);

// {"path": PATH, "a": A, "b": B, "same": false, "message": MESSAGE}: the document of git's
// diff of a file whose graph cannot be compared, `message` saying why.
std::string UncomparableJson(const std::string& gitPath, const std::string& a, const std::string& b,
                             const std::string& message);

}  // namespace walkconv::cli
