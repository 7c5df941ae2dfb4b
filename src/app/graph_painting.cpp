#include "app/graph_painting.h"

#include <algorithm>

namespace walkconv::app {

namespace {

constexpr Ink kHalo{kFindingColor, kHaloAlpha};

bool Contains(const std::vector<int>& numbers, int number) {
    return std::find(numbers.begin(), numbers.end(), number) != numbers.end();
}

// The left end of a text's baseline whose `anchor` stands at `at.x`.
double TextLeft(Canvas& canvas, const Caption& caption) {
    const double width = canvas.TextWidth(caption.text, FontFor(caption.role));
    switch (caption.anchor) {
        case TextAnchor::Start:
            return caption.at.x;
        case TextAnchor::Middle:
            return caption.at.x - width / 2;
        case TextAnchor::End:
            return caption.at.x - width;
    }
    return caption.at.x;
}

void PaintText(Canvas& canvas, const Caption& caption, Rgb color, bool highlighted) {
    const FontSpec font = FontFor(caption.role);
    if (highlighted) {
        const double left = TextLeft(canvas, caption);
        const double width = canvas.TextWidth(caption.text, font);
        canvas.FillRect({left - kHaloReach, caption.at.y - font.pixelSize - kHaloReach / 2,
                         width + 2 * kHaloReach, font.pixelSize + 2 * kHaloReach},
                        kHalo);
    }
    canvas.Text(caption.at, caption.anchor, caption.text, font, Ink{color});
}

// The selected link drawn over the others in the selection colour; a listed one is written in
// it below the views.
void PaintSelectedLink(Canvas& canvas, const GraphDrawing& drawing, const DrawnLink& link) {
    constexpr double kWidth = 2.5;
    for (std::size_t view = 0; view < kViewCount; ++view) {
        if (link.mark == LinkMark::Line || link.mark == LinkMark::Stub) {
            canvas.Line(link.from[view], link.to[view], Ink{kSelectionColor}, kWidth);
        } else if (link.mark == LinkMark::Ring) {
            canvas.Ring(link.from[view], drawing.ringRadius, Ink{kSelectionColor}, kWidth);
        }
    }
}

// The selected point: a dot in the selection colour with a ring of it around, in both views.
void PaintSelectedPoint(Canvas& canvas, const GraphDrawing& drawing, const DrawnPoint& point) {
    for (const Spot& centre : point.at) {
        canvas.Disc(centre, drawing.dotRadius + 0.5, Ink{kSelectionColor});
        canvas.Ring(centre, drawing.dotRadius + 2.5, Ink{kSelectionColor}, 2);
    }
}

template <typename Item>
const Item* Numbered(const std::vector<Item>& items, const std::optional<int>& number) {
    if (!number || *number < 0 || static_cast<std::size_t>(*number) >= items.size()) {
        return nullptr;
    }
    return &items[static_cast<std::size_t>(*number)];
}

void PaintLink(Canvas& canvas, const GraphDrawing& drawing, const DrawnLink& link,
               bool highlighted) {
    for (std::size_t view = 0; view < kViewCount; ++view) {
        switch (link.mark) {
            case LinkMark::Line:
            case LinkMark::Stub:
                if (highlighted) {
                    canvas.Line(link.from[view], link.to[view], kHalo, kLinkWidth + 2 * kHaloReach);
                }
                canvas.Line(link.from[view], link.to[view], Ink{link.color}, kLinkWidth);
                break;
            case LinkMark::Ring:
                if (highlighted) {
                    canvas.Ring(link.from[view], drawing.ringRadius, kHalo,
                                kLinkWidth + 2 * kHaloReach);
                }
                canvas.Ring(link.from[view], drawing.ringRadius, Ink{link.color}, kLinkWidth);
                break;
            case LinkMark::Listed:
                break;  // written with the texts below the views
        }
    }
}

void PaintPoint(Canvas& canvas, const GraphDrawing& drawing, const DrawnPoint& point,
                bool highlighted) {
    for (const Spot& centre : point.at) {
        if (highlighted) {
            canvas.Disc(centre, drawing.dotRadius + kHaloReach, kHalo);
        }
        if (point.mark == PointMark::HollowRing) {
            canvas.Ring(centre, drawing.dotRadius, Ink{point.color}, kHollowWidth);
        } else {
            canvas.Disc(centre, drawing.dotRadius, Ink{point.color});
        }
    }
}

// The ship's model under the graph, from the cells and outline pieces the drawing holds, so
// that its cost follows the picture's size and not the number of triangles.
void PaintModel(Canvas& canvas, const GraphDrawing& drawing) {
    for (const ModelView& view : drawing.model) {
        for (std::size_t shade = 0; shade < kModelShades; ++shade) {
            const Ink fill{ModelFill(shade)};
            for (const CellRun& run : view.fills[shade]) {
                canvas.FillRect({run.left, run.top, run.width, run.height}, fill);
            }
        }
        for (std::size_t shade = 0; shade < kModelShades; ++shade) {
            const Ink outline{ModelOutline(shade)};
            for (const Segment& piece : view.outlines[shade]) {
                canvas.Line(piece.from, piece.to, outline, kModelLineWidth);
            }
        }
    }
}

}  // namespace

FontSpec FontFor(TextRole role) {
    switch (role) {
        case TextRole::Header:
            return {.pixelSize = 16, .bold = true};
        case TextRole::ViewTitle:
            return {.pixelSize = 13, .bold = true};
        case TextRole::AxisName:
            return {.italic = true};
        case TextRole::PointLabel:
            return {.pixelSize = 9};
        case TextRole::Range:
        case TextRole::Legend:
        case TextRole::Listing:
            break;
    }
    return {};
}

void PaintGraph(Canvas& canvas, const GraphDrawing& drawing, const Highlight& highlight) {
    canvas.FillRect({0, 0, drawing.width, drawing.height}, Ink{kPageColor});
    for (const ViewFrame& frame : drawing.views) {
        canvas.StrokeRect({frame.topLeft.x, frame.topLeft.y, frame.width, frame.height},
                          Ink{kFrameColor}, kFrameWidth);
    }
    PaintModel(canvas, drawing);
    for (const DrawnLink& link : drawing.links) {
        PaintLink(canvas, drawing, link, Contains(highlight.links, link.number));
    }
    if (const DrawnLink* selected = Numbered(drawing.links, highlight.selectedLink)) {
        PaintSelectedLink(canvas, drawing, *selected);
    }
    for (const DrawnPoint& point : drawing.points) {
        PaintPoint(canvas, drawing, point, Contains(highlight.points, point.number));
    }
    if (const DrawnPoint* selected = Numbered(drawing.points, highlight.selectedPoint)) {
        PaintSelectedPoint(canvas, drawing, *selected);
    }
    for (const int number : highlight.selectedPoints) {
        if (const DrawnPoint* selected = Numbered(drawing.points, std::optional<int>(number))) {
            PaintSelectedPoint(canvas, drawing, *selected);
        }
    }
    for (const Caption& caption : drawing.captions) {
        PaintText(canvas, caption, kTextColor, false);
    }
    for (const LegendEntry& entry : drawing.legend) {
        if (entry.hollow) {
            canvas.Ring(entry.swatch, drawing.dotRadius, Ink{entry.color}, kHollowWidth);
        } else {
            canvas.Disc(entry.swatch, drawing.dotRadius, Ink{entry.color});
        }
        PaintText(canvas, entry.caption, kTextColor, false);
    }
    for (const DrawnLink& link : drawing.links) {
        if (link.mark == LinkMark::Listed) {
            const bool selected = highlight.selectedLink == link.number;
            PaintText(canvas, {link.listedAt, TextAnchor::Start, TextRole::Listing, link.title},
                      selected ? kSelectionColor : link.color,
                      Contains(highlight.links, link.number));
        }
    }
}

void PaintView(Canvas& canvas, const GraphDrawing& drawing, const Viewport& viewport,
               const Highlight& highlight) {
    canvas.SetTransform(1, 0, 0);
    canvas.FillRect({0, 0, viewport.ViewWidth(), viewport.ViewHeight()}, Ink{kViewBackground});
    canvas.SetTransform(viewport.Zoom(), viewport.OffsetX(), viewport.OffsetY());
    PaintGraph(canvas, drawing, highlight);
}

}  // namespace walkconv::app
