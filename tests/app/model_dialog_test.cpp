#include "app/model_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/text_file.h"
#include "support/scripted_host.h"

namespace walkconv::app {
namespace {

TEST(CheckModelFields, TakesAPositiveScaleAndNumbersForTheOffset) {
    struct Row {
        const char* scale;
        std::array<const char*, 3> offset;
        const char* problem;  // empty: taken
        MeshPlacement placement;
    };
    const std::vector<Row> rows{
        {"1", {"0", "0", "0"}, "", {UpAxis::Y, 1, {0, 0, 0}}},
        {" 0.5\t", {"-1.25", "+2", "1e1"}, "", {UpAxis::Y, 0.5, {-1.25, 2, 10}}},
        {"1E-3", {"0", "-0", ".5"}, "", {UpAxis::Y, 0.001, {0, 0, 0.5}}},
        {"0", {"0", "0", "0"}, "The scale must be a positive number.", {}},
        {"-2", {"0", "0", "0"}, "The scale must be a positive number.", {}},
        {"", {"0", "0", "0"}, "The scale must be a positive number.", {}},
        {"1,5", {"0", "0", "0"}, "The scale must be a positive number.", {}},
        {"inf", {"0", "0", "0"}, "The scale must be a positive number.", {}},
        {"2x", {"0", "0", "0"}, "The scale must be a positive number.", {}},
        {"1", {"a", "0", "0"}, "The offset X must be a number.", {}},
        {"1", {"0", "", "0"}, "The offset Y must be a number.", {}},
        {"1", {"0", "0", "nan"}, "The offset Z must be a number.", {}},
        {"1", {"0", "0", "+-1"}, "The offset Z must be a number.", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.scale) + " " + row.offset[0] + " " + row.offset[1] + " " +
                     row.offset[2]);
        const ModelFields fields{
            "ship.obj", UpAxis::Y, row.scale, {row.offset[0], row.offset[1], row.offset[2]}};
        const CheckedFields checked = CheckModelFields(fields);
        EXPECT_EQ(checked.problem, row.problem);
        if (*row.problem == '\0') {
            ASSERT_TRUE(checked.choice);
            EXPECT_EQ(*checked.choice, (ModelChoice{"ship.obj", row.placement}));
        } else {
            EXPECT_FALSE(checked.choice);
        }
    }
}

TEST(ModelChoiceText, HoldsTheChoiceAndRefusesADamagedText) {
    const std::vector<ModelChoice> choices{
        {"", {}},
        {"/ships/brig.obj", {UpAxis::Z, 0.01, {-3.5, 1, 20}}},
        {"C:\\ships\\brig model.glb", {UpAxis::Y, 2, {0, 0, 0}}},
        {"/odd/line\nbreak \xC3\xA9.gltf", {UpAxis::Y, 1.5, {0.125, 0, 0}}},
    };
    for (const ModelChoice& choice : choices) {
        SCOPED_TRACE(choice.file);
        EXPECT_EQ(ModelChoiceOfText(ModelChoiceText(choice)), choice);
    }
    EXPECT_EQ(ModelChoiceText(choices[1]), "Z\n0.01\n-3.5\n1\n20\n/ships/brig.obj");
    for (const char* damaged :
         {"", "Y\n1\n0\n0\n", "X\n1\n0\n0\n0\nf", "Y\n0\n0\n0\n0\nf", "Y\n1\n0\nzero\n0\nf"}) {
        SCOPED_TRACE(damaged);
        EXPECT_FALSE(ModelChoiceOfText(damaged));
    }
}

TEST(RememberModel, NamesTheGraphFileAndTheModelFileByTheirAbsolutePaths) {
    const std::filesystem::path here = std::filesystem::current_path();
    const std::string graph = Utf8FromPath((here / "ships" / "brig1.ini").make_preferred());
    const std::string model = Utf8FromPath((here / "models" / "brig.obj").make_preferred());
    testing::ScriptedHost host;
    RememberModel(host, "ships/brig1.ini", {"ships/../models/brig.obj", {UpAxis::Z, 2, {}}});
    ASSERT_EQ(host.texts.size(), 1U);
    EXPECT_EQ(host.texts.begin()->first, "ShipModel:" + graph);
    for (const std::string& given :
         {std::string("ships/brig1.ini"),
          Utf8FromPath(here / "ships" / ".." / "ships" / "brig1.ini"), graph}) {
        SCOPED_TRACE(given);
        EXPECT_EQ(RememberedModel(host, given), (ModelChoice{model, {UpAxis::Z, 2, {}}}));
    }
    EXPECT_FALSE(RememberedModel(host, "ships/brig2.ini"));
}

}  // namespace
}  // namespace walkconv::app
