#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/conversion_state.h"
#include "core/drawing/model_drawing.h"
#include "core/drawing/picture_basics.h"
#include "core/findings/findings.h"

// A picture of the walking graph as plain values: where every point, link and text goes, in
// which colour and with which hover text. The SVG writer and any window only paint it.
namespace walkconv {

enum class TextRole { Header, ViewTitle, AxisName, Range, PointLabel, Legend, Listing };
enum class TextAnchor { Start, Middle, End };

// One line of text; `at` is the start, middle or end of its baseline, as `anchor` says.
struct Caption {
    Spot at;
    TextAnchor anchor = TextAnchor::Start;
    TextRole role = TextRole::Listing;
    std::string text;

    friend bool operator==(const Caption&, const Caption&) = default;
};

enum class PointMark {
    Dot,         // a filled dot
    HollowRing,  // a ring: the point is touched by no link
};

struct DrawnPoint {
    int number = 0;
    std::array<Spot, kViewCount> at;  // its centre in each view
    PointMark mark = PointMark::Dot;
    Rgb color;             // its type's colour, or kFindingColor
    bool flagged = false;  // a warning is about it
    std::string title;     // "point N: x, y, z, type T", then "; " and each finding's message

    friend bool operator==(const DrawnPoint&, const DrawnPoint&) = default;
};

enum class LinkMark {
    Line,    // from one end to the other
    Stub,    // a short line from its one existing end: the other lies beyond the points
    Ring,    // a ring around the point it joins to itself; `to` equals `from`
    Listed,  // neither end exists: only its title, written at `listedAt` below the views
};

struct DrawnLink {
    int number = 0;
    std::array<Spot, kViewCount> from;
    std::array<Spot, kViewCount> to;
    LinkMark mark = LinkMark::Line;
    Rgb color;
    bool flagged = false;
    std::string title;  // "link N: A-B", then "; " and each finding's message
    Spot listedAt;      // Listed links only

    friend bool operator==(const DrawnLink&, const DrawnLink&) = default;
};

// One line of the legend: a swatch (a dot, or a ring for hollow) and its text.
struct LegendEntry {
    Spot swatch;
    Rgb color;
    bool hollow = false;
    Caption caption;

    friend bool operator==(const LegendEntry&, const LegendEntry&) = default;
};

struct GraphDrawing {
    double width = 0;  // the picture spans 0..width and 0..height
    double height = 0;
    std::string title;  // of the whole picture
    double dotRadius = 0;
    double ringRadius = 0;  // of the rings of self-links
    // Picture units per coordinate unit along every axis (z rightward, x or y upward); 0 when
    // the points all lie in one place.
    double scale = 0;
    std::array<ViewFrame, kViewCount> views;
    std::array<ModelView, kViewCount> model;  // the ship's model under the graph; empty without
    std::vector<DrawnPoint> points;           // in the order of their numbers
    std::vector<DrawnLink> links;             // in the order of their numbers
    std::vector<LegendEntry> legend;
    // Header, view titles, axis names and ranges, point numbers, and the lines below the views
    // that list what they cannot show.
    std::vector<Caption> captions;

    friend bool operator==(const GraphDrawing&, const GraphDrawing&) = default;
};

// Up to this many points, each dot is labelled with its number.
inline constexpr int kMostLabelledPoints = 200;

// The picture of the points and links of `state` with its `findings` (from CollectFindings),
// and with `model` the ship's model under them, the views then fitted to hold it whole.
// Every place and length is finite for any finite coordinates; counts outside 0..1001 are
// taken as the nearest of those.
GraphDrawing DrawGraph(const ConversionState& state, std::span<const Finding> findings,
                       const MeshIndex* model = nullptr);

}  // namespace walkconv
