#include "app/host.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace walkconv::app {
namespace {

TEST(WithTypeEnding, AddsTheSelectedTypesEndingToANameWithoutOneWhenAsked) {
    static constexpr std::array kFilters{FileFilter{"PNG image (*.png)", "*.png"},
                                         FileFilter{"SVG picture (*.svg;*.svgz)", "*.svg;*.svgz"},
                                         FileFilter{"All files (*.)", "*"}};
    struct Row {
        FileRequest::Mode mode;
        bool asked;
        std::size_t type;
        std::string chosen;
        std::string expected;
    };
    const Row rows[] = {
        {FileRequest::Mode::Save, true, 0, "picture", "picture.png"},
        {FileRequest::Mode::Save, true, 1, "picture", "picture.svg"},  // the first pattern's
        {FileRequest::Mode::Save, true, 2, "picture", "picture"},      // "*" has no ending
        {FileRequest::Mode::Save, true, 0, "picture.svg", "picture.svg"},
        {FileRequest::Mode::Save, true, 0, "ships.v2/picture", "ships.v2/picture.png"},
        {FileRequest::Mode::Save, true, 3, "picture", "picture"},  // no such type
        {FileRequest::Mode::Save, false, 0, "picture", "picture"},
        {FileRequest::Mode::Open, true, 0, "picture", "picture"},
    };
    for (const Row& row : rows) {
        FileRequest request;
        request.mode = row.mode;
        request.filters = kFilters;
        request.addTypeEnding = row.asked;
        EXPECT_EQ(WithTypeEnding(request, row.type, row.chosen), row.expected)
            << row.chosen << " as type " << row.type;
    }
}

}  // namespace
}  // namespace walkconv::app
