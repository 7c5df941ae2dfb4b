#include "core/drawing/svg_writer.h"

#include <gtest/gtest.h>

#include <limits>
#include <set>
#include <string>
#include <string_view>

#include "core/conversion_error.h"
#include "support/temp_dir.h"

namespace walkconv {
namespace {

// A drawing made by hand, with places no layout gives, to see what the writer makes of them.
GraphDrawing OddDrawing() {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    GraphDrawing drawing;
    drawing.width = 12.5;
    drawing.height = 1e300;
    drawing.title = "m\xFF<";
    drawing.dotRadius = -0.004;
    drawing.ringRadius = 7;
    DrawnPoint point;
    point.at = {Spot{std::numeric_limits<double>::quiet_NaN(), kInf}, Spot{-kInf, 0.125}};
    point.title = "point 0";
    drawing.points.push_back(point);
    DrawnLink listed;
    listed.mark = LinkMark::Listed;
    listed.title = "link 0: 5-6";
    listed.listedAt = {1.005, 2};
    drawing.links.push_back(listed);
    return drawing;
}

// "-12.34": an optional minus, digits, a point and two digits.
bool IsPlainNumber(std::string_view text) {
    if (text.starts_with('-')) {
        text.remove_prefix(1);
    }
    const std::size_t point = text.find('.');
    return point > 0 && point != std::string_view::npos && text.size() == point + 3 &&
           text.find_first_not_of("0123456789", point + 1) == std::string_view::npos &&
           text.substr(0, point).find_first_not_of("0123456789") == std::string_view::npos;
}

TEST(FormatGraphSvg, WritesEveryNumberInAnAttributeWithTwoDecimals) {
    const std::string svg = FormatGraphSvg(OddDrawing());
    const std::set<std::string, std::less<>> numeric{"x", "y", "cx", "cy", "r", "width", "height"};
    int numbers = 0;
    for (std::size_t equals = svg.find("=\""); equals != std::string::npos;
         equals = svg.find("=\"", equals + 1)) {
        const std::size_t nameStart = svg.rfind(' ', equals) + 1;
        const std::string name = svg.substr(nameStart, equals - nameStart);
        const std::size_t valueEnd = svg.find('"', equals + 2);
        const std::string value = svg.substr(equals + 2, valueEnd - equals - 2);
        if (numeric.contains(name) && value != "100%") {
            ++numbers;
            EXPECT_TRUE(IsPlainNumber(value)) << name << "=" << value;
        }
    }
    EXPECT_GE(numbers, 8);
    for (const char* expected :
         {R"(width="12.50" height="1000000000.00" viewBox="0 0 12.50 1000000000.00")",
          R"(<circle cx="0.00" cy="0.00" r="0.00"/>)", R"(<circle cx="0.00" cy="0.13" r="0.00"/>)",
          R"(<text x="1.00" y="2.00" class="listing" fill="#000000"><title>link 0: 5-6</title>)",
          "<title>m\xEF\xBF\xBD&lt;</title>"}) {
        EXPECT_NE(svg.find(expected), std::string::npos) << expected;
    }
}

TEST(WriteGraphSvg, ReplacesTheTargetWithTheDocumentOrThrows) {
    const testing::TempDir dir;
    const std::filesystem::path target = dir.Write("ship_graph.svg", "old");
    WriteGraphSvg(target, OddDrawing());
    EXPECT_EQ(testing::TempDir::Read(target), FormatGraphSvg(OddDrawing()));
    EXPECT_THROW(WriteGraphSvg(dir.path() / "missing" / "ship_graph.svg", OddDrawing()),
                 ConversionError);
}

}  // namespace
}  // namespace walkconv
