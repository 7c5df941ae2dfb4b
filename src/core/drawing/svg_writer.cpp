#include "core/drawing/svg_writer.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <utility>

#include "core/drawing/xml_text.h"
#include "core/text_file.h"

namespace walkconv {

namespace {

// Places lie well within this; anything beyond (or not finite) is clamped to it, so that no
// attribute ever holds a number that is not plain.
constexpr double kLargestPlace = 1e9;

constexpr double kLinkWidth = 1.2;
constexpr double kRingWidth = 1.5;  // of hollow rings
constexpr double kModelLineWidth = 0.8;

// The class of each text role, in the order of TextRole; the style sheet sizes them.
constexpr std::array kRoleClasses{"header", "view", "axis", "range", "label", "legend", "listing"};

constexpr char kStyle[] =
    "text{font-family:sans-serif;font-size:11px;fill:#222222}"
    ".header{font-size:16px;font-weight:bold}.view{font-size:13px;font-weight:bold}"
    ".axis{font-style:italic}.label{font-size:9px}";

class SvgText {
  public:
    // A number with two decimals: "12.50", "-0.25", "0.00".
    SvgText& Number(double value) {
        if (!std::isfinite(value)) {
            value = 0;
        }
        long long hundredths = std::llround(std::clamp(value, -kLargestPlace, kLargestPlace) * 100);
        if (hundredths < 0) {
            out_ += '-';
            hundredths = -hundredths;
        }
        char digits[32];
        char* end = std::to_chars(digits, digits + sizeof digits, hundredths / 100).ptr;
        *end++ = '.';
        *end++ = static_cast<char>('0' + hundredths % 100 / 10);
        *end++ = static_cast<char>('0' + hundredths % 10);
        out_.append(digits, end);
        return *this;
    }

    SvgText& Raw(std::string_view text) {
        out_ += text;
        return *this;
    }

    SvgText& Escaped(std::string_view text) {
        AppendXmlText(out_, text);
        return *this;
    }

    // name="number"
    SvgText& Attribute(std::string_view name, double value) {
        out_ += ' ';
        out_ += name;
        out_ += "=\"";
        Number(value);
        out_ += '"';
        return *this;
    }

    SvgText& Color(std::string_view name, Rgb color) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "#%02x%02x%02x", color.red, color.green, color.blue);
        return Raw(" ").Raw(name).Raw("=\"").Raw(hex).Raw("\"");
    }

    SvgText& Title(std::string_view text) { return Raw("<title>").Escaped(text).Raw("</title>"); }

    // <circle cx cy r/>
    SvgText& Circle(Spot centre, double radius) {
        Raw("<circle").Attribute("cx", centre.x).Attribute("cy", centre.y);
        return Attribute("r", radius).Raw("/>");
    }

    SvgText& MoveLine(Spot from, Spot to) {
        Raw("M").Number(from.x).Raw(" ").Number(from.y);
        return Raw("L").Number(to.x).Raw(" ").Number(to.y);
    }

    SvgText& Text(const Caption& caption) {
        static constexpr std::array kAnchors{"start", "middle", "end"};
        Raw("<text").Attribute("x", caption.at.x).Attribute("y", caption.at.y);
        Raw(" class=\"").Raw(kRoleClasses[static_cast<std::size_t>(caption.role)]).Raw("\"");
        if (caption.anchor != TextAnchor::Start) {
            Raw(" text-anchor=\"").Raw(kAnchors[static_cast<std::size_t>(caption.anchor)]);
            Raw("\"");
        }
        return Raw(">").Escaped(caption.text).Raw("</text>\n");
    }

    std::string Take() { return std::move(out_); }

  private:
    std::string out_;
};

void WriteFrames(const GraphDrawing& drawing, SvgText& svg) {
    svg.Raw("<g fill=\"none\"").Color("stroke", kFrameColor).Raw(">\n");
    for (const ViewFrame& frame : drawing.views) {
        svg.Raw("<rect").Attribute("x", frame.topLeft.x).Attribute("y", frame.topLeft.y);
        svg.Attribute("width", frame.width).Attribute("height", frame.height).Raw("/>\n");
    }
    svg.Raw("</g>\n");
}

// The ship's model under the graph: one path of cell runs and one of outline pieces for each
// shade of each view.
void WriteModel(const GraphDrawing& drawing, SvgText& svg) {
    if (std::all_of(drawing.model.begin(), drawing.model.end(),
                    [](const ModelView& view) { return view.Empty(); })) {
        return;
    }
    svg.Raw("<g class=\"model\">\n");
    for (const ModelView& view : drawing.model) {
        for (std::size_t shade = 0; shade < kModelShades; ++shade) {
            if (!view.fills[shade].empty()) {
                svg.Raw("<path").Color("fill", ModelFill(shade)).Raw(" d=\"");
                for (const CellRun& run : view.fills[shade]) {
                    svg.Raw("M").Number(run.left).Raw(" ").Number(run.top);
                    svg.Raw("h").Number(run.width).Raw("v").Number(run.height);
                    svg.Raw("h").Number(-run.width).Raw("z");
                }
                svg.Raw("\"/>\n");
            }
        }
        for (std::size_t shade = 0; shade < kModelShades; ++shade) {
            if (!view.outlines[shade].empty()) {
                svg.Raw("<path fill=\"none\"").Color("stroke", ModelOutline(shade));
                svg.Attribute("stroke-width", kModelLineWidth).Raw(" d=\"");
                for (const Segment& segment : view.outlines[shade]) {
                    svg.MoveLine(segment.from, segment.to);
                }
                svg.Raw("\"/>\n");
            }
        }
    }
    svg.Raw("</g>\n");
}

void WriteLinks(const GraphDrawing& drawing, SvgText& svg) {
    svg.Raw("<g fill=\"none\"").Attribute("stroke-width", kLinkWidth).Raw(">\n");
    for (const DrawnLink& link : drawing.links) {
        switch (link.mark) {
            case LinkMark::Line:
            case LinkMark::Stub:
                svg.Raw("<path d=\"");
                for (std::size_t view = 0; view < kViewCount; ++view) {
                    svg.MoveLine(link.from[view], link.to[view]);
                }
                svg.Raw("\"").Color("stroke", link.color).Raw(">").Title(link.title);
                svg.Raw("</path>\n");
                break;
            case LinkMark::Ring:
                svg.Raw("<g").Color("stroke", link.color).Raw(">").Title(link.title);
                for (const Spot& centre : link.from) {
                    svg.Circle(centre, drawing.ringRadius);
                }
                svg.Raw("</g>\n");
                break;
            case LinkMark::Listed:
                break;  // written with the texts below the views
        }
    }
    svg.Raw("</g>\n");
}

void WritePoints(const GraphDrawing& drawing, SvgText& svg) {
    svg.Raw("<g>\n");
    for (const DrawnPoint& point : drawing.points) {
        if (point.mark == PointMark::HollowRing) {
            svg.Raw("<g fill=\"none\"")
                .Attribute("stroke-width", kRingWidth)
                .Color("stroke", point.color);
        } else {
            svg.Raw("<g").Color("fill", point.color);
        }
        svg.Raw(">").Title(point.title);
        for (const Spot& centre : point.at) {
            svg.Circle(centre, drawing.dotRadius);
        }
        svg.Raw("</g>\n");
    }
    svg.Raw("</g>\n");
}

void WriteLegend(const GraphDrawing& drawing, SvgText& svg) {
    for (const LegendEntry& entry : drawing.legend) {
        if (entry.hollow) {
            svg.Raw("<g fill=\"none\"")
                .Attribute("stroke-width", kRingWidth)
                .Color("stroke", entry.color);
        } else {
            svg.Raw("<g").Color("fill", entry.color);
        }
        svg.Raw(">").Circle(entry.swatch, drawing.dotRadius).Raw("</g>\n");
        svg.Text(entry.caption);
    }
}

void WriteListedLinks(const GraphDrawing& drawing, SvgText& svg) {
    for (const DrawnLink& link : drawing.links) {
        if (link.mark == LinkMark::Listed) {
            svg.Raw("<text").Attribute("x", link.listedAt.x).Attribute("y", link.listedAt.y);
            svg.Raw(" class=\"listing\"").Color("fill", link.color).Raw(">").Title(link.title);
            svg.Escaped(link.title).Raw("</text>\n");
        }
    }
}

}  // namespace

std::string FormatGraphSvg(const GraphDrawing& drawing) {
    SvgText svg;
    svg.Raw("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    svg.Raw("<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\"");
    svg.Attribute("width", drawing.width).Attribute("height", drawing.height);
    svg.Raw(" viewBox=\"0 0 ").Number(drawing.width).Raw(" ").Number(drawing.height).Raw("\">\n");
    svg.Title(drawing.title).Raw("\n");
    svg.Raw("<style type=\"text/css\">").Raw(kStyle).Raw("</style>\n");
    svg.Raw("<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n");
    WriteFrames(drawing, svg);
    WriteModel(drawing, svg);
    WriteLinks(drawing, svg);
    WritePoints(drawing, svg);
    for (const Caption& caption : drawing.captions) {
        svg.Text(caption);
    }
    WriteLegend(drawing, svg);
    WriteListedLinks(drawing, svg);
    svg.Raw("</svg>\n");
    return svg.Take();
}

void WriteGraphSvg(const std::filesystem::path& target, const GraphDrawing& drawing) {
    WriteFileAtomically(target, FormatGraphSvg(drawing));
}

}  // namespace walkconv
