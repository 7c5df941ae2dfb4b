// The OBJ and glTF readers on small hand-made models and broken ones, the placement of a model,
// and the loading of model files by their ending.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/mesh/gltf_reader.h"
#include "core/mesh/mesh_file.h"
#include "core/mesh/obj_reader.h"
#include "core/text_file.h"
#include "support/ship_model.h"
#include "support/temp_dir.h"
#include "support/text_edits.h"

namespace walkconv {
namespace {

using testing::Edited;
using testing::GltfOfMesh;
using testing::ObjOfBoxes;
using testing::SampleShip;
using testing::SampleShipBoxes;

double Area(const TriangleMesh& mesh) {
    double area = 0;
    for (const Triangle& t : mesh.triangles) {
        const Vec3 a = t.corners[0].ToVec3();
        const Vec3 b = t.corners[1].ToVec3();
        const Vec3 c = t.corners[2].ToVec3();
        const Vec3 u{b.x - a.x, b.y - a.y, b.z - a.z};
        const Vec3 v{c.x - a.x, c.y - a.y, c.z - a.z};
        const Vec3 n{u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
        area += std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z) / 2;
    }
    return area;
}

double BoxesArea() {
    double area = 0;
    for (const testing::Box& box : SampleShipBoxes()) {
        const double dx = box.high.x - box.low.x;
        const double dy = box.high.y - box.low.y;
        const double dz = box.high.z - box.low.z;
        area += 2 * (dx * dy + dy * dz + dx * dz);
    }
    return area;
}

TEST(ObjReader, QuadsAreCutIntoTrianglesWhateverTheLineEnds) {
    for (const std::string lineEnd : {"\n", "\r\n", "\r"}) {
        SCOPED_TRACE(static_cast<int>(lineEnd.size()) * 10 + lineEnd.back());
        const MeshReading reading = ReadObjMesh(ObjOfBoxes(SampleShipBoxes(), lineEnd), "ship.obj");
        ASSERT_TRUE(reading.mesh) << reading.message;
        EXPECT_EQ(reading.mesh->triangles.size(), 36U);
        EXPECT_NEAR(Area(*reading.mesh), BoxesArea(), 1e-3);
    }
}

TEST(ObjReader, ReadsEveryFormOfFaceCorner) {
    const std::string vertices =
        "v 0 0 0\nv 1 0 0\nv 1 0 1\nv 0 0 1\nv 0.5 0 1.5\nvt 0 0\nvn 0 1 0\n";
    struct Case {
        const char* face;
        std::size_t triangles;
        double area;
    };
    const Case cases[] = {
        {"f 1 2 3", 1, 0.5},          {"f 1/1 2/1 3/1", 1, 0.5},
        {"f 1//1 2//1 3//1", 1, 0.5}, {"f 1/1/1 2/1/1 3/1/1 4/1/1", 2, 1},
        {"f -5 -4 -3", 1, 0.5},       {"f 1 2 3 5 4", 3, 1.25},  // a pentagon
        {"\tf  1 2   3 ", 1, 0.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.face);
        const MeshReading reading = ReadObjMesh(vertices + c.face + "\n", "ship.obj");
        ASSERT_TRUE(reading.mesh) << reading.message;
        EXPECT_EQ(reading.mesh->triangles.size(), c.triangles);
        EXPECT_NEAR(Area(*reading.mesh), c.area, 1e-6);
    }
}

TEST(ObjReader, BrokenFacesAreNamedWithTheirLine) {
    const std::string vertices = "v 0 0 0\nv 1 0 0\nv 0 0 1\n";
    struct Case {
        std::string text;
        const char* message;
    };
    const Case cases[] = {
        {vertices + "f 1 2 3\nf 1 2 9000\n", "ship.obj:5: face refers to vertex 9000 of 3"},
        {"f 1 2 4\n" + vertices, "ship.obj:1: face refers to vertex 4 of 3"},
        {vertices + "f 0 1 2\n", "ship.obj:4: face refers to vertex 0; vertices count from 1"},
        {vertices + "f -5 -2 -1\n", "ship.obj:4: face refers to vertex -5, but only 3 precede it"},
        {vertices + "f 1 2 x/1\n", "ship.obj:4: face holds 'x/1', which is not a vertex number"},
        {vertices + "f 1 2 3a\n", "ship.obj:4: face holds '3a', which is not a vertex number"},
        {vertices + "f 1 2 99999999999999999999\n",
         "ship.obj:4: face refers to vertex 99999999999999999999 of 3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const MeshReading reading = ReadObjMesh(c.text, "ship.obj");
        EXPECT_FALSE(reading.mesh);
        EXPECT_EQ(reading.message, c.message);
    }
}

TEST(ObjReader, AModelBeyondTheMostTrianglesIsRefusedAtTheLineThatPassesIt) {
    std::string text = "v 0 0 0\nf 1 1 1\nf";
    for (std::size_t i = 0; i < kMostTriangles + 2; ++i) {
        text += " 1";
    }
    EXPECT_EQ(ReadObjMesh(text, "big.obj").message,
              "big.obj:3: the model has more than 5000000 triangles");
}

// A reader's fetch of the buffer files beside the model.
ModelFileFetch Files(std::map<std::string, std::string> files) {
    return [files](const std::string& uri) -> std::optional<std::string> {
        const auto found = files.find(uri);
        return found == files.end() ? std::nullopt : std::optional(found->second);
    };
}

TEST(GltfReader, ReadsTheTrianglesOfJsonAndBinaryModels) {
    const testing::GltfModel model = GltfOfMesh(SampleShip());
    const MeshReading json =
        ReadGltfMesh(model.json, "ship.gltf", Files({{"ship.bin", model.buffer}}));
    ASSERT_TRUE(json.mesh) << json.message;
    EXPECT_EQ(json.mesh->triangles, SampleShip().triangles);
    const MeshReading binary =
        ReadGltfMesh(testing::GlbOf(GltfOfMesh(SampleShip(), {}, {})), "ship.glb", Files({}));
    ASSERT_TRUE(binary.mesh) << binary.message;
    EXPECT_EQ(binary.mesh->triangles, SampleShip().triangles);
}

TEST(GltfReader, AppliesTheTransformOfEveryNodeOnTheWayToTheMesh) {
    TriangleMesh one;
    one.triangles.push_back({{MeshCorner{1, 0, 0}, MeshCorner{0, 1, 0}, MeshCorner{0, 0, 1}}});
    struct Case {
        const char* fields;
        std::array<MeshCorner, 3> expected;
    };
    const Case cases[] = {
        {"\"translation\":[10,20,30]", {{{11, 20, 30}, {10, 21, 30}, {10, 20, 31}}}},
        {"\"scale\":[2,3,4]", {{{2, 0, 0}, {0, 3, 0}, {0, 0, 4}}}},
        // A quarter turn about y takes x to -z and z to x.
        {"\"rotation\":[0,0.7071067811865476,0,0.7071067811865476]",
         {{{0, 0, -1}, {0, 1, 0}, {1, 0, 0}}}},
        {"\"matrix\":[2,0,0,0, 0,2,0,0, 0,0,2,0, 1,1,1,1]", {{{3, 1, 1}, {1, 3, 1}, {1, 1, 3}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fields);
        const testing::GltfModel model = GltfOfMesh(one, c.fields);
        const MeshReading reading =
            ReadGltfMesh(model.json, "one.gltf", Files({{"ship.bin", model.buffer}}));
        ASSERT_TRUE(reading.mesh) << reading.message;
        ASSERT_EQ(reading.mesh->triangles.size(), 1U);
        for (std::size_t i = 0; i < 3; ++i) {
            const MeshCorner& got = reading.mesh->triangles[0].corners[i];
            EXPECT_NEAR(got.x, c.expected[i].x, 1e-6);
            EXPECT_NEAR(got.y, c.expected[i].y, 1e-6);
            EXPECT_NEAR(got.z, c.expected[i].z, 1e-6);
        }
    }
    // A parent's transform applies after its child's.
    testing::GltfModel nested = GltfOfMesh(one, "\"scale\":[2,2,2]");
    const std::string node = "\"nodes\":[{";
    nested.json.replace(nested.json.find(node), node.size(),
                        "\"nodes\":[{\"children\":[1],\"translation\":[5,0,0]},{");
    const MeshReading reading =
        ReadGltfMesh(nested.json, "nested.gltf", Files({{"ship.bin", nested.buffer}}));
    ASSERT_TRUE(reading.mesh) << reading.message;
    EXPECT_EQ(reading.mesh->triangles[0].corners[0], (MeshCorner{7, 0, 0}));
}

TEST(GltfReader, BrokenModelsGetAMessageNamingWhatIsBroken) {
    const testing::GltfModel model = GltfOfMesh(SampleShip());
    std::string badIndex = model.buffer;
    const std::uint32_t far = 9000;
    std::memcpy(badIndex.data() + 108 * 12 + 5 * 4, &far, 4);
    struct Case {
        std::string json;
        std::string buffer;
        const char* message;  // the whole message, or its start when it ends in "..."
    };
    const Case cases[] = {
        {model.json, badIndex,
         "ship.gltf: mesh 0, primitive 0: index 5 refers to vertex 9000 of 108"},
        {Edited(model.json, "\"count\":108,\"type\":\"VEC3\"", "\"count\":109,\"type\":\"VEC3\""),
         model.buffer, "ship.gltf: mesh 0, primitive 0: accessor 0 reaches beyond its data"},
        {Edited(model.json, "\"componentType\":5126", "\"componentType\":5123"), model.buffer,
         "ship.gltf: mesh 0, primitive 0: the positions of accessor 0 are not three floats each"},
        {Edited(model.json, "\"nodes\":[{\"mesh\":0}]",
                "\"nodes\":[{\"mesh\":0,\"children\":[0]}]"),
         model.buffer, "ship.gltf: node 0 is its own ancestor"},
        {Edited(model.json, "\"nodes\":[0]", "\"nodes\":[3]"), model.buffer,
         "ship.gltf: refers to node 3, which does not exist"},
        {Edited(model.json, "ship.bin", "missing.bin"), model.buffer, "ship.gltf: ..."},
        {"{\"asset\":", model.buffer, "ship.gltf: ..."},
        {"", model.buffer, "ship.gltf: ..."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.json.substr(0, 80));
        const MeshReading reading =
            ReadGltfMesh(c.json, "ship.gltf", Files({{"ship.bin", c.buffer}}));
        EXPECT_FALSE(reading.mesh);
        const std::string message = c.message;
        if (message.ends_with("...")) {
            EXPECT_TRUE(reading.message.starts_with(message.substr(0, message.size() - 3)) &&
                        reading.message.size() > message.size())
                << reading.message;
        } else {
            EXPECT_EQ(reading.message, message);
        }
    }
}

TEST(MeshPlacement, TurnsAZUpModelThenScalesAndMovesIt) {
    struct Case {
        MeshPlacement placement;
        Vec3 expected;
    };
    const Vec3 corner{1, 2, 3};
    const Case cases[] = {
        {{}, {1, 2, 3}},
        {{UpAxis::Y, 2, {10, 20, 30}}, {12, 24, 36}},
        {{UpAxis::Z, 1, {}}, {1, 3, -2}},
        {{UpAxis::Z, 0.5, {0, 1, 0}}, {0.5, 2.5, -1}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PlaceCorner(corner, c.placement), c.expected);
    }
}

TEST(MeshFile, ReadsEachFormatByItsEndingAndPlacesIt) {
    const testing::TempDir dir;
    const testing::GltfModel model = GltfOfMesh(SampleShip());
    dir.Write("ship.OBJ", ObjOfBoxes(SampleShipBoxes()));
    dir.Write("ship.gltf", model.json);
    dir.Write("ship.bin", model.buffer);
    dir.Write("ship.glb", testing::GlbOf(GltfOfMesh(SampleShip(), {}, {})));
    const MeshPlacement raised{UpAxis::Y, 1, {0, 1, 0}};
    for (const char* name : {"ship.OBJ", "ship.gltf", "ship.glb"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(IsModelFileName(name));
        const MeshReading reading = LoadMesh(dir.path() / name, raised);
        ASSERT_TRUE(reading.mesh) << reading.message;
        EXPECT_EQ(reading.mesh->triangles.size(), 36U);
        float lowest = 100;
        for (const Triangle& t : reading.mesh->triangles) {
            for (const MeshCorner& c : t.corners) {
                lowest = std::min(lowest, c.y);
            }
        }
        EXPECT_EQ(lowest, 1);  // the keel, raised by 1
    }
    EXPECT_FALSE(IsModelFileName("ship_walk.c"));
    const std::filesystem::path missing = dir.path() / "none.obj";
    EXPECT_EQ(LoadMesh(missing, {}).message,
              Utf8FromPath(missing) + ": cannot open the file for reading");
    const MeshReading huge = LoadMesh(dir.path() / "ship.OBJ", {UpAxis::Y, 1e39, {}});
    EXPECT_EQ(huge.message, Utf8FromPath(dir.path() / "ship.OBJ") +
                                ": triangle 1 has a corner beyond the numbers a model may hold");
}

}  // namespace
}  // namespace walkconv
