#include "app/view_painting.h"

#include <algorithm>

namespace walkconv::app {

namespace {

constexpr Ink kHalo{kFindingColor, kHaloAlpha};
constexpr Rgb kSplitBarColor{0xd0, 0xd0, 0xd0};

bool Contains(const std::vector<int>& numbers, int number) {
    return std::find(numbers.begin(), numbers.end(), number) != numbers.end();
}

PictureRect ToPictureRect(const ViewRect& rect) {
    return {rect.left, rect.top, rect.width, rect.height};
}

Spot ToSpot(ScreenPoint point) {
    return {point.x, point.y};
}

// The font of a role at the window's size: the picture's sizes are for an 11-pixel font.
FontSpec ViewFont(TextRole role, const ViewStyle& style) {
    FontSpec font = FontFor(role);
    font.pixelSize = style.fontPixels * font.pixelSize / 11;
    return font;
}

// The part of the graph painted: all of it, or what stands still or moves while a point is
// dragged.
enum class GraphPart { All, Still, Moving };

// One view's places and sizes, in the room's pixels.
class ViewPainter {
  public:
    ViewPainter(Canvas& canvas, const GraphDrawing& drawing, const ViewPanes& panes,
                std::size_t view)
        : canvas_(canvas),
          drawing_(drawing),
          panes_(panes),
          view_(view),
          style_(panes.Style()),
          rect_(panes.Layout().views[view]),
          dot_(DotPixels(drawing, style_)),
          line_(LinkPixels(style_)),
          ring_(drawing.ringRadius * style_.markScale),
          halo_(kHaloReach * style_.markScale) {
        const ViewFrame& frame = drawing.views[view];
        const ScreenPoint topLeft = panes.ToRoom(view, frame.topLeft);
        const ScreenPoint bottomRight =
            panes.ToRoom(view, Spot{frame.topLeft.x + frame.width, frame.topLeft.y + frame.height});
        frame_ = {topLeft.x, topLeft.y, bottomRight.x - topLeft.x, bottomRight.y - topLeft.y};
    }

    // The background, the frame and the ship's model.
    void PaintStill(Canvas& canvas) const {
        canvas.SetTransform(1, 0, 0);
        canvas.FillRect(ToPictureRect(rect_), Ink{kViewBackground});
        canvas.FillRect(frame_, Ink{kPageColor});
        const ModelView& model = drawing_.model[view_];
        if (!model.Empty()) {
            const Viewport& pane = panes_.Pane(view_);
            canvas.SetTransform(pane.Zoom(), pane.OffsetX() + rect_.left,
                                pane.OffsetY() + rect_.top);
            for (std::size_t shade = 0; shade < kModelShades; ++shade) {
                for (const CellRun& run : model.fills[shade]) {
                    canvas.FillRect({run.left, run.top, run.width, run.height},
                                    Ink{ModelFill(shade)});
                }
            }
            const double width = kModelLineWidth * style_.markScale / pane.Zoom();
            for (std::size_t shade = 0; shade < kModelShades; ++shade) {
                for (const Segment& piece : model.outlines[shade]) {
                    canvas.Line(piece.from, piece.to, Ink{ModelOutline(shade)}, width);
                }
            }
            canvas.SetTransform(1, 0, 0);
        }
        canvas.StrokeRect(frame_, Ink{kFrameColor}, kFrameWidth * style_.markScale);
    }

    // The links, dots and texts over the still layer: those of `part`, where the point
    // `moving` (if any) and its links move and the rest stands still.
    void PaintGraph(const Highlight& highlight, GraphPart part, std::optional<int> moving) const {
        const DrawnPoint* held = Numbered(drawing_.points, moving);
        const auto wanted = [&](bool moves) {
            return part == GraphPart::All || moves == (part == GraphPart::Moving);
        };
        const auto linkMoves = [&](const DrawnLink& link) {
            return held != nullptr &&
                   (link.from[view_] == held->at[view_] || link.to[view_] == held->at[view_]);
        };
        canvas_.SetTransform(1, 0, 0);
        canvas_.ClipTo(ToPictureRect(rect_));
        for (const DrawnLink& link : drawing_.links) {
            if (wanted(linkMoves(link))) {
                PaintLink(link, Contains(highlight.links, link.number));
            }
        }
        if (const DrawnLink* link = Numbered(drawing_.links, highlight.selectedLink)) {
            if (wanted(linkMoves(*link))) {
                PaintSelectedLink(*link);
            }
        }
        for (const DrawnPoint& point : drawing_.points) {
            if (wanted(&point == held)) {
                PaintPoint(point, Contains(highlight.points, point.number));
            }
        }
        const auto paintSelected = [&](const DrawnPoint* point) {
            if (point != nullptr && wanted(point == held)) {
                const Spot at = At(point->at[view_]);
                canvas_.Disc(at, dot_ + 0.5 * style_.markScale, Ink{kSelectionColor});
                canvas_.Ring(at, dot_ + 2.5 * style_.markScale, Ink{kSelectionColor},
                             2 * style_.markScale);
            }
        };
        paintSelected(Numbered(drawing_.points, highlight.selectedPoint));
        for (const int number : highlight.selectedPoints) {
            paintSelected(Numbered(drawing_.points, std::optional<int>(number)));
        }
        if (part != GraphPart::Moving) {
            PaintTexts();
        }
        canvas_.Unclip();
    }

  private:
    Spot At(Spot spot) const { return ToSpot(panes_.ToRoom(view_, spot)); }
    // The far end of a link's line; a stub keeps its length in pixels, as the hit test has it.
    Spot To(const DrawnLink& link) const {
        const Spot from = link.from[view_];
        const Spot to = link.to[view_];
        if (link.mark != LinkMark::Stub) {
            return At(to);
        }
        const Spot start = At(from);
        return {start.x + (to.x - from.x) * style_.markScale,
                start.y + (to.y - from.y) * style_.markScale};
    }

    // Whether a mark around `at` reaching `reach` pixels may show in the view.
    bool Shows(Spot at, double reach) const {
        return at.x + reach >= rect_.left && at.x - reach <= rect_.left + rect_.width &&
               at.y + reach >= rect_.top && at.y - reach <= rect_.top + rect_.height;
    }
    bool Shows(Spot from, Spot to, double reach) const {
        return std::max(from.x, to.x) + reach >= rect_.left &&
               std::min(from.x, to.x) - reach <= rect_.left + rect_.width &&
               std::max(from.y, to.y) + reach >= rect_.top &&
               std::min(from.y, to.y) - reach <= rect_.top + rect_.height;
    }

    template <typename Item>
    static const Item* Numbered(const std::vector<Item>& items, const std::optional<int>& number) {
        if (!number || *number < 0 || static_cast<std::size_t>(*number) >= items.size()) {
            return nullptr;
        }
        return &items[static_cast<std::size_t>(*number)];
    }

    void PaintLink(const DrawnLink& link, bool highlighted) const {
        const Spot from = At(link.from[view_]);
        const Spot to = To(link);
        switch (link.mark) {
            case LinkMark::Line:
            case LinkMark::Stub:
                if (!Shows(from, to, halo_)) {
                    return;
                }
                if (highlighted) {
                    canvas_.Line(from, to, kHalo, line_ + 2 * halo_);
                }
                canvas_.Line(from, to, Ink{link.color}, line_);
                return;
            case LinkMark::Ring:
                if (!Shows(from, ring_ + halo_)) {
                    return;
                }
                if (highlighted) {
                    canvas_.Ring(from, ring_, kHalo, line_ + 2 * halo_);
                }
                canvas_.Ring(from, ring_, Ink{link.color}, line_);
                return;
            case LinkMark::Listed:
                return;  // between points that do not exist: only in the findings
        }
    }

    void PaintSelectedLink(const DrawnLink& link) const {
        const double width = 2.5 * style_.markScale;
        if (link.mark == LinkMark::Line || link.mark == LinkMark::Stub) {
            canvas_.Line(At(link.from[view_]), To(link), Ink{kSelectionColor}, width);
        } else if (link.mark == LinkMark::Ring) {
            canvas_.Ring(At(link.from[view_]), ring_, Ink{kSelectionColor}, width);
        }
    }

    void PaintPoint(const DrawnPoint& point, bool highlighted) const {
        const Spot at = At(point.at[view_]);
        if (!Shows(at, dot_ + halo_)) {
            return;
        }
        if (highlighted) {
            canvas_.Disc(at, dot_ + halo_, kHalo);
        }
        if (point.mark == PointMark::HollowRing) {
            canvas_.Ring(at, dot_, Ink{point.color}, kHollowWidth * style_.markScale);
        } else {
            canvas_.Disc(at, dot_, Ink{point.color});
        }
    }

    // The point numbers beside the dots, the values and names of the axes at the frame's edges,
    // and the view's title at the top left of the view, where it stays however it pans.
    void PaintTexts() const {
        const Ink ink{kTextColor};
        if (drawing_.points.size() <= static_cast<std::size_t>(kMostLabelledPoints)) {
            const FontSpec font = ViewFont(TextRole::PointLabel, style_);
            const double offset = 5 * style_.markScale;
            for (const DrawnPoint& point : drawing_.points) {
                const Spot at = At(point.at[view_]);
                if (Shows(at, font.pixelSize * 4)) {
                    canvas_.Text({at.x + offset, at.y - offset}, TextAnchor::Start,
                                 std::to_string(point.number), font, ink);
                }
            }
        }
        const ViewFrame& frame = drawing_.views[view_];
        const double bottom = frame.topLeft.y + frame.height;
        const double font = style_.fontPixels;
        for (const Caption& caption : drawing_.captions) {
            const bool near = caption.at.y >= frame.topLeft.y - 15 && caption.at.y <= bottom + 20;
            if (!near) {
                continue;
            }
            if (caption.role == TextRole::ViewTitle) {
                canvas_.Text({rect_.left + font / 2, rect_.top + 1.4 * font}, TextAnchor::Start,
                             caption.text, ViewFont(caption.role, style_), ink);
                continue;
            }
            if (caption.role != TextRole::Range && caption.role != TextRole::AxisName) {
                continue;
            }
            Spot at;
            if (caption.at.y > bottom) {  // along z, below the frame
                at = {At(caption.at).x, frame_.top + frame_.height + 1.3 * font};
            } else {  // up, left of the frame
                const double share = (caption.at.y - frame.topLeft.y) / std::max(frame.height, 1.0);
                at.x = frame_.left - font / 2;
                at.y = share < 0.25   ? frame_.top + font
                       : share > 0.75 ? frame_.top + frame_.height - 2
                                      : frame_.top + frame_.height / 2 + 0.35 * font;
            }
            canvas_.Text(at, caption.anchor, caption.text, ViewFont(caption.role, style_), ink);
        }
    }

    Canvas& canvas_;
    const GraphDrawing& drawing_;
    const ViewPanes& panes_;
    std::size_t view_;
    ViewStyle style_;
    ViewRect rect_;
    PictureRect frame_;
    double dot_;
    double line_;
    double ring_;
    double halo_;
};

}  // namespace

void ViewLayers::Follow(const GraphDrawing* drawing) {
    for (std::size_t view = 0; view < kViewCount; ++view) {
        const ViewFrame frame = drawing != nullptr ? drawing->views[view] : ViewFrame{};
        if (drawing == nullptr) {
            if (frames_[view] != frame || !models_[view].Empty()) {
                frames_[view] = frame;
                models_[view] = {};
                ++contents_[view];
            }
            continue;
        }
        // Compared by value: an edit makes a new drawing with the same model's picture.
        if (frames_[view] != frame || models_[view] != drawing->model[view]) {
            frames_[view] = frame;
            models_[view] = drawing->model[view];
            ++contents_[view];
        }
    }
}

namespace {

// A fingerprint of values, FNV-1a over their bytes.
class Fingerprint {
  public:
    template <typename Value>
    void Add(const Value& value) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(&value);
        for (std::size_t i = 0; i < sizeof value; ++i) {
            hash_ = (hash_ ^ bytes[i]) * 1099511628211ULL;
        }
    }
    void Add(const std::string& text) {
        for (const char c : text) {
            Add(c);
        }
        Add(text.size());
    }
    std::uint64_t Value() const { return hash_; }

  private:
    std::uint64_t hash_ = 14695981039346656037ULL;
};

}  // namespace

std::uint64_t ViewLayers::GraphVersion(std::size_t view, const ViewPanes& panes,
                                       const GraphDrawing& drawing, const Highlight& highlight,
                                       std::optional<int> moving) {
    // Everything the still part is painted from, but what moves with the point held.
    Fingerprint print;
    const Viewport& pane = panes.Pane(view);
    print.Add(pane.Zoom());
    print.Add(pane.OffsetX());
    print.Add(pane.OffsetY());
    print.Add(panes.Layout().views[view]);
    print.Add(panes.Style());
    print.Add(moving.value_or(-1));
    const bool heldExists =
        moving && *moving >= 0 && static_cast<std::size_t>(*moving) < drawing.points.size();
    const Spot held =
        heldExists ? drawing.points[static_cast<std::size_t>(*moving)].at[view] : Spot{};
    for (const DrawnPoint& point : drawing.points) {
        if (!heldExists || point.number != *moving) {
            print.Add(point.at[view]);
            print.Add(point.color);
            print.Add(point.mark);
        }
    }
    for (const DrawnLink& link : drawing.links) {
        if (!heldExists || (link.from[view] != held && link.to[view] != held)) {
            print.Add(link.from[view]);
            print.Add(link.to[view]);
            print.Add(link.color);
            print.Add(link.mark);
        }
    }
    for (const Caption& caption : drawing.captions) {
        if (caption.role != TextRole::PointLabel) {
            print.Add(caption.text);
        }
    }
    for (const int number : highlight.points) {
        print.Add(number);
    }
    print.Add(-1);
    for (const int number : highlight.links) {
        print.Add(number);
    }
    print.Add(highlight.selectedPoint.value_or(-1));
    print.Add(highlight.selectedLink.value_or(-1));
    for (const int number : highlight.selectedPoints) {
        print.Add(number);
    }
    if (print.Value() != graphPrints_[view]) {
        graphPrints_[view] = print.Value();
        ++graphVersions_[view];
    }
    return graphVersions_[view];
}

std::uint64_t ViewLayers::StillVersion(std::size_t view, const ViewPanes& panes,
                                       const GraphDrawing& drawing, const Highlight& highlight,
                                       std::optional<int> moving) {
    const std::pair<std::uint64_t, std::uint64_t> both{
        Version(view, panes), GraphVersion(view, panes, drawing, highlight, moving)};
    if (both != stillParts_[view]) {
        stillParts_[view] = both;
        ++stillVersions_[view];
    }
    return stillVersions_[view];
}

std::uint64_t ViewLayers::Version(std::size_t view, const ViewPanes& panes) {
    const Viewport& pane = panes.Pane(view);
    const Key key{contents_[view], panes.Layout().views[view], pane.Zoom(), pane.OffsetX(),
                  pane.OffsetY()};
    if (key != keys_[view]) {
        keys_[view] = key;
        ++versions_[view];
    }
    return versions_[view];
}

void PaintViews(Canvas& canvas, const GraphDrawing* drawing, const ViewPanes& panes,
                const Highlight& highlight, ViewLayers& layers, std::optional<int> moving) {
    const ViewLayout& layout = panes.Layout();
    canvas.SetTransform(1, 0, 0);
    canvas.FillRect(ToPictureRect(layout.splitBar), Ink{kSplitBarColor});
    if (drawing == nullptr) {
        for (const ViewRect& rect : layout.views) {
            canvas.FillRect(ToPictureRect(rect), Ink{kViewBackground});
        }
        return;
    }
    for (std::size_t view = 0; view < kViewCount; ++view) {
        const ViewPainter painter(canvas, *drawing, panes, view);
        // One layer per view: its frame and model, and what stands still of the graph while a
        // point is dragged; the dots and links of a large graph take longer to paint than a
        // frame lasts, and each layer drawn costs a copy of the view's pixels.
        canvas.Layer(LayerSlot(view), layers.StillVersion(view, panes, *drawing, highlight, moving),
                     ToPictureRect(layout.views[view]), [&](Canvas& layer) {
                         const ViewPainter still(layer, *drawing, panes, view);
                         still.PaintStill(layer);
                         still.PaintGraph(highlight, GraphPart::Still, moving);
                     });
        painter.PaintGraph(highlight, GraphPart::Moving, moving);
    }
}

}  // namespace walkconv::app
