#include "core/drawing/graph_drawing.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <utility>

#include "core/counted.h"
#include "core/drawing/axis_fit.h"
#include "core/numbers.h"

namespace walkconv {

namespace {

// The layout, in picture units.
constexpr double kMargin = 16;
constexpr double kHeaderHeight = 30;
constexpr double kTitleHeight = 22;
constexpr double kGutter = 150;  // left of the frames, for the ranges of the vertical axes
constexpr double kPad = 12;      // between a frame and its outermost dots, room for rings
constexpr double kRangeHeight = 20;
constexpr double kViewGap = 10;
constexpr double kMaxPlotWidth = 900;
constexpr double kMaxPlotHeight = 400;
constexpr double kMinPlotWidth = 240;
constexpr double kMinPlotHeight = 40;
constexpr double kDotRadius = 3.5;
constexpr double kRingRadius = 7;
constexpr double kStubLength = 10;  // to the right and as far down, away from the labels
constexpr double kLabelOffset = 5;
constexpr double kLegendRow = 18;
constexpr double kLegendColumn = 180;
constexpr double kListRow = 16;

// The colours of the point types, in the order of the legend, again from the first when a
// file has more types; none of them is kFindingColor.
constexpr std::array kTypeColors{
    Rgb{0x1f, 0x77, 0xb4}, Rgb{0x2c, 0xa0, 0x2c}, Rgb{0xff, 0x7f, 0x0e}, Rgb{0x94, 0x67, 0xbd},
    Rgb{0x8c, 0x56, 0x4b}, Rgb{0xe3, 0x77, 0xc2}, Rgb{0x17, 0xbe, 0xcf}, Rgb{0xbc, 0xbd, 0x22},
};

constexpr std::array<const char*, kViewCount> kViewTitles{"Top view", "Side view"};
constexpr std::array<std::size_t, kViewCount> kVerticalComponent{0, 1};  // x on top, y beside
constexpr std::array<const char*, 3> kAxisNames{"x", "y", "z"};
constexpr std::size_t kAlong = 2;  // z runs to the right in both views

// The coordinate as the layout takes it: one that is not finite counts as 0.
double Coordinate(const Point& point, std::size_t component) {
    const double value = point.Coordinate(static_cast<int>(component));
    return std::isfinite(value) ? value : 0;
}

// The point types present, in ascending order of their values, each with its legend text and
// how many points have it; types that read the same are one.
struct PointTypes {
    struct Type {
        std::string text;
        int count = 0;
    };
    std::vector<Type> types;
    std::vector<std::size_t> ofPoint;  // index into types, per point
};

PointTypes TypesOf(const ConversionState& state, int points) {
    std::vector<std::pair<double, int>> byValue;
    for (int i = 0; i < points; ++i) {
        byValue.emplace_back(state.Points[i].type, i);
    }
    // NaN after every number, so that the order is strict and weak.
    const auto key = [](const std::pair<double, int>& entry) {
        const bool nan = std::isnan(entry.first);
        return std::tuple(nan, nan ? 0.0 : entry.first, entry.second);
    };
    std::sort(byValue.begin(), byValue.end(),
              [&](const auto& a, const auto& b) { return key(a) < key(b); });
    PointTypes result;
    result.ofPoint.resize(static_cast<std::size_t>(points));
    for (const auto& [value, point] : byValue) {
        std::string text = NumberToText(value);
        if (result.types.empty() || result.types.back().text != text) {
            result.types.push_back({std::move(text), 0});
        }
        ++result.types.back().count;
        result.ofPoint[static_cast<std::size_t>(point)] = result.types.size() - 1;
    }
    return result;
}

Rgb TypeColor(std::size_t type) {
    return kTypeColors[type % kTypeColors.size()];
}

// What the findings say about each point and link of the state.
struct Remarks {
    std::vector<std::string> pointNotes, linkNotes;  // "; message" for each finding
    std::vector<bool> pointFlagged, linkFlagged;     // a warning is about it
    std::vector<bool> untouched;
    std::vector<const Finding*> elsewhere;  // about no point and no link
};

Remarks RemarksOf(std::span<const Finding> findings, int points, int links) {
    Remarks remarks;
    remarks.pointNotes.resize(static_cast<std::size_t>(points));
    remarks.pointFlagged.resize(static_cast<std::size_t>(points));
    remarks.untouched.resize(static_cast<std::size_t>(points));
    remarks.linkNotes.resize(static_cast<std::size_t>(links));
    remarks.linkFlagged.resize(static_cast<std::size_t>(links));
    for (const Finding& finding : findings) {
        const bool warning = finding.severity == FindingSeverity::Warning;
        bool placed = false;
        for (const int point : finding.points) {
            if (point >= 0 && point < points) {
                const auto p = static_cast<std::size_t>(point);
                remarks.pointNotes[p] += "; " + finding.message;
                remarks.pointFlagged[p] = remarks.pointFlagged[p] || warning;
                remarks.untouched[p] =
                    remarks.untouched[p] || finding.code == finding_code::kUntouchedPoint;
                placed = true;
            }
        }
        if (finding.link && *finding.link >= 0 && *finding.link < links) {
            const auto l = static_cast<std::size_t>(*finding.link);
            remarks.linkNotes[l] += "; " + finding.message;
            remarks.linkFlagged[l] = remarks.linkFlagged[l] || warning;
            placed = true;
        }
        if (!placed) {
            remarks.elsewhere.push_back(&finding);
        }
    }
    return remarks;
}

// Where the ship's coordinates go in the picture.
class Placement {
  public:
    Placement(const ConversionState& state, int points, const MeshIndex* model) {
        std::array<AxisValues, 3> axes{};
        const bool withModel = model != nullptr && !model->Mesh().triangles.empty();
        for (std::size_t component = 0; component < 3; ++component) {
            AxisValues& axis = axes[component];
            for (int i = 0; i < points; ++i) {
                const double value = Coordinate(state.Points[i], component);
                axis.low = i == 0 ? value : std::min(axis.low, value);
                axis.high = i == 0 ? value : std::max(axis.high, value);
            }
            if (withModel) {
                const Point low{model->Low().x, model->Low().y, model->Low().z, 0};
                const Point high{model->High().x, model->High().y, model->High().z, 0};
                axis.low = points == 0 ? Coordinate(low, component)
                                       : std::min(axis.low, Coordinate(low, component));
                axis.high = points == 0 ? Coordinate(high, component)
                                        : std::max(axis.high, Coordinate(high, component));
            }
            axis.maxLength = component == kAlong ? kMaxPlotWidth : kMaxPlotHeight;
        }
        const std::vector<AxisFit> fits = FitOneScale(axes);
        std::copy(fits.begin(), fits.end(), fits_.begin());
        for (std::size_t c = 0; c < 3; ++c) {
            const double least = c == kAlong ? kMinPlotWidth : kMinPlotHeight;
            plot_[c] = std::max(fits_[c].length, least);
            ranges_[c] = {NumberToText(axes[c].low), NumberToText(axes[c].high)};
        }
    }

    // The frame of a view whose top edge lies at `top`.
    ViewFrame Frame(std::size_t view, double top) const {
        return {
            {kMargin + kGutter, top}, plot_[kAlong] + 2 * kPad, plot_[Vertical(view)] + 2 * kPad};
    }

    // The place of `point` within `frame`: the values fill the middle of the plot, the lowest
    // at its left or bottom edge.
    Spot Place(const Point& point, std::size_t view, const ViewFrame& frame) const {
        const std::size_t up = Vertical(view);
        const AxisFit& along = fits_[kAlong];
        const AxisFit& vertical = fits_[up];
        const double left = frame.topLeft.x + kPad + (plot_[kAlong] - along.length) / 2;
        const double bottom =
            frame.topLeft.y + kPad + (plot_[up] + vertical.length) / 2;  // of the values
        return {left + along.Offset(Coordinate(point, kAlong)),
                bottom - vertical.Offset(Coordinate(point, up))};
    }

    // The lowest and highest value of a component, as written.
    const std::pair<std::string, std::string>& Range(std::size_t component) const {
        return ranges_[component];
    }

    static std::size_t Vertical(std::size_t view) { return kVerticalComponent[view]; }

    // Picture units per coordinate unit, the same along every axis; 0 when the points all lie
    // in one place (or too close together for a double to tell).
    double Scale() const {
        for (const AxisFit& fit : fits_) {
            if (fit.halfSpan > 0 && fit.length > 0) {
                const double scale = fit.length / 2 / fit.halfSpan;
                return std::isfinite(scale) ? scale : 0;
            }
        }
        return 0;
    }

  private:
    std::array<AxisFit, 3> fits_;
    std::array<double, 3> plot_{};
    std::array<std::pair<std::string, std::string>, 3> ranges_;
};

// The view's title above its frame, and the names and ranges of its axes at its edges.
void AddViewCaptions(std::size_t view, const ViewFrame& frame, const Placement& placement,
                     std::vector<Caption>& captions) {
    const double left = frame.topLeft.x;
    const double top = frame.topLeft.y;
    const double right = left + frame.width;
    const double bottom = top + frame.height;
    captions.push_back(
        {{left, top - 7}, TextAnchor::Start, TextRole::ViewTitle, kViewTitles[view]});
    const auto& along = placement.Range(kAlong);
    captions.push_back({{left, bottom + 14}, TextAnchor::Start, TextRole::Range, along.first});
    captions.push_back({{(left + right) / 2, bottom + 14},
                        TextAnchor::Middle,
                        TextRole::AxisName,
                        kAxisNames[kAlong]});
    captions.push_back({{right, bottom + 14}, TextAnchor::End, TextRole::Range, along.second});
    const std::size_t up = Placement::Vertical(view);
    const auto& vertical = placement.Range(up);
    const double gutterEdge = left - 6;
    captions.push_back({{gutterEdge, top + 11}, TextAnchor::End, TextRole::Range, vertical.second});
    captions.push_back({{gutterEdge, (top + bottom) / 2 + 4},
                        TextAnchor::End,
                        TextRole::AxisName,
                        kAxisNames[up]});
    captions.push_back(
        {{gutterEdge, bottom - 2}, TextAnchor::End, TextRole::Range, vertical.first});
}

std::string PointTitle(int number, const Point& point, const std::string& type) {
    return "point " + std::to_string(number) + ": " + NumberToText(point.x) + ", " +
           NumberToText(point.y) + ", " + NumberToText(point.z) + ", type " + type;
}

std::string LinkTitle(int number, const Link& link) {
    return "link " + std::to_string(number) + ": " + std::to_string(link.from) + "-" +
           std::to_string(link.to);
}

DrawnLink DrawLink(int number, const Link& link, const std::vector<DrawnPoint>& points) {
    const auto exists = [&](int end) {
        return end >= 0 && static_cast<std::size_t>(end) < points.size();
    };
    DrawnLink drawn;
    drawn.number = number;
    drawn.color = kLinkColor;
    if (!exists(link.from) && !exists(link.to)) {
        drawn.mark = LinkMark::Listed;
        return drawn;
    }
    const int one = exists(link.from) ? link.from : link.to;
    drawn.from = points[static_cast<std::size_t>(one)].at;
    if (link.from == link.to) {
        drawn.mark = LinkMark::Ring;
        drawn.to = drawn.from;
    } else if (exists(link.from) && exists(link.to)) {
        drawn.mark = LinkMark::Line;
        drawn.to = points[static_cast<std::size_t>(link.to)].at;
    } else {
        drawn.mark = LinkMark::Stub;
        for (std::size_t view = 0; view < kViewCount; ++view) {
            drawn.to[view] = {drawn.from[view].x + kStubLength, drawn.from[view].y + kStubLength};
        }
    }
    return drawn;
}

const char* SeverityWord(FindingSeverity severity) {
    return severity == FindingSeverity::Warning ? "warning" : "note";
}

}  // namespace

GraphDrawing DrawGraph(const ConversionState& state, std::span<const Finding> findings,
                       const MeshIndex* model) {
    const int pointCount = std::clamp<int>(state.PointCount, 0, kTableSize);
    const int linkCount = std::clamp<int>(state.LinkCount, 0, kTableSize);
    const PointTypes types = TypesOf(state, pointCount);
    const Remarks remarks = RemarksOf(findings, pointCount, linkCount);
    const Placement placement(state, pointCount, model);

    GraphDrawing drawing;
    drawing.title = state.ModelName + " walking graph";
    drawing.dotRadius = kDotRadius;
    drawing.scale = placement.Scale();
    drawing.ringRadius = kRingRadius;
    drawing.captions.push_back({{kMargin, kMargin + 18},
                                TextAnchor::Start,
                                TextRole::Header,
                                state.ModelName + ": " + Counted(pointCount, "point") + ", " +
                                    Counted(linkCount, "link") + ", " +
                                    Counted(static_cast<int>(findings.size()), "finding")});

    double y = kMargin + kHeaderHeight;
    for (std::size_t view = 0; view < kViewCount; ++view) {
        y += kTitleHeight;
        drawing.views[view] = placement.Frame(view, y);
        AddViewCaptions(view, drawing.views[view], placement, drawing.captions);
        if (model != nullptr) {
            const ViewFrame& frame = drawing.views[view];
            drawing.model[view] = DrawModelView(*model, frame, [&](const Vec3& corner) {
                return placement.Place({corner.x, corner.y, corner.z, 0}, view, frame);
            });
        }
        y += drawing.views[view].height + kRangeHeight + kViewGap;
    }
    const double frameWidth = drawing.views[kTopView].width;
    drawing.width = kMargin + kGutter + frameWidth + kMargin;

    int flaggedPoints = 0;
    for (int i = 0; i < pointCount; ++i) {
        const auto p = static_cast<std::size_t>(i);
        const Point& point = state.Points[i];
        DrawnPoint drawn;
        drawn.number = i;
        for (std::size_t view = 0; view < kViewCount; ++view) {
            drawn.at[view] = placement.Place(point, view, drawing.views[view]);
        }
        drawn.mark = remarks.untouched[p] ? PointMark::HollowRing : PointMark::Dot;
        drawn.flagged = remarks.pointFlagged[p];
        drawn.color = drawn.flagged ? kFindingColor : TypeColor(types.ofPoint[p]);
        drawn.title =
            PointTitle(i, point, types.types[types.ofPoint[p]].text) + remarks.pointNotes[p];
        flaggedPoints += drawn.flagged ? 1 : 0;
        if (pointCount <= kMostLabelledPoints) {
            for (const Spot& at : drawn.at) {
                drawing.captions.push_back({{at.x + kLabelOffset, at.y - kLabelOffset},
                                            TextAnchor::Start,
                                            TextRole::PointLabel,
                                            std::to_string(i)});
            }
        }
        drawing.points.push_back(std::move(drawn));
    }

    int flaggedLinks = 0;
    for (int i = 0; i < linkCount; ++i) {
        const auto l = static_cast<std::size_t>(i);
        const Link& link = state.Links[i];
        DrawnLink drawn = DrawLink(i, link, drawing.points);
        drawn.flagged = remarks.linkFlagged[l];
        drawn.color = drawn.flagged ? kFindingColor : kLinkColor;
        drawn.title = LinkTitle(i, link) + remarks.linkNotes[l];
        flaggedLinks += drawn.flagged ? 1 : 0;
        drawing.links.push_back(std::move(drawn));
    }

    // The legend, in as many columns as the width holds.
    const auto columns =
        static_cast<std::size_t>(std::max(1.0, std::floor((kGutter + frameWidth) / kLegendColumn)));
    const auto addLegend = [&](Rgb color, bool hollow, std::string text) {
        const std::size_t at = drawing.legend.size();
        const double left = kMargin + static_cast<double>(at % columns) * kLegendColumn;
        const double baseline = y + 12 + static_cast<double>(at / columns) * kLegendRow;
        drawing.legend.push_back(
            {{left + 5, baseline - 4},
             color,
             hollow,
             {{left + 14, baseline}, TextAnchor::Start, TextRole::Legend, std::move(text)}});
    };
    for (std::size_t t = 0; t < types.types.size(); ++t) {
        addLegend(TypeColor(t), false,
                  "type " + types.types[t].text + ": " + Counted(types.types[t].count, "point"));
    }
    if (flaggedPoints + flaggedLinks > 0) {
        addLegend(
            kFindingColor, false,
            "finding: " + Counted(flaggedPoints, "point") + ", " + Counted(flaggedLinks, "link"));
    }
    if (std::count(remarks.untouched.begin(), remarks.untouched.end(), true) > 0) {
        addLegend(kFindingColor, true, "ring: touched by no link");
    }
    const std::size_t legendRows = (drawing.legend.size() + columns - 1) / columns;
    y += static_cast<double>(legendRows) * kLegendRow + kViewGap;

    // What the views cannot show: links between points that do not exist, and findings about
    // the file as a whole.
    const auto listed =
        std::count_if(drawing.links.begin(), drawing.links.end(),
                      [](const DrawnLink& l) { return l.mark == LinkMark::Listed; });
    if (listed > 0 || !remarks.elsewhere.empty()) {
        y += kListRow;
        drawing.captions.push_back(
            {{kMargin, y}, TextAnchor::Start, TextRole::Listing, "Not shown in the views:"});
        for (DrawnLink& link : drawing.links) {
            if (link.mark == LinkMark::Listed) {
                y += kListRow;
                link.listedAt = {kMargin + 12, y};
            }
        }
        for (const Finding* finding : remarks.elsewhere) {
            y += kListRow;
            drawing.captions.push_back(
                {{kMargin + 12, y},
                 TextAnchor::Start,
                 TextRole::Listing,
                 std::string(SeverityWord(finding->severity)) + ": " + finding->message});
        }
        y += kListRow / 2;
    }
    drawing.height = y + kMargin;
    return drawing;
}

}  // namespace walkconv
