// Graph documents read from files and written in either kind: the types stay in the file's own
// codes until the document is written in the other kind, which maps them as converting does;
// the largest documents come back whole; the findings follow the links through edits.
#include "core/editing/document_file.h"

#include <gtest/gtest.h>

#include <string>

#include "core/editing/graph_edit.h"
#include "core/sailorpoints/sailorpoints_reader.h"
#include "core/sailorpoints/sailorpoints_writer.h"
#include "core/walk/walk_reader.h"
#include "core/walk/walk_writer.h"
#include "support/temp_dir.h"
#include "support/walk_samples.h"

namespace walkconv {
namespace {

using testing::TempDir;

// Four points with the types that either kind maps, and two links.
ConversionState TypedState(double a, double b, double c, double d) {
    ConversionState state;
    state.ModelName = "ship";
    state.PointCount = 4;
    state.LinkCount = 2;
    const double types[] = {a, b, c, d};
    for (int i = 0; i < 4; ++i) {
        state.Points[i] = Point{i + 0.5, 1, -2, types[i]};
    }
    state.Links[0] = Link{0, 1};
    state.Links[1] = Link{2, 3};
    return state;
}

TEST(DocumentFile, TypesStayInTheFilesCodesAndTheOtherKindGetsWhatConvertingWrites) {
    TempDir dir;
    const std::string walkText = FormatWalkSource(TypedState(4, 5, 7, 10));
    const std::string iniText = FormatSailorpoints(TypedState(7, 8, 9, 10));
    const std::string walkPath = dir.Write("ship_walk.c", walkText).string();
    const std::string iniPath = dir.Write("ship1.ini", iniText).string();

    const DocumentReading walk = ReadDocument(walkPath, InputKind::WalkSource);
    ASSERT_EQ(walk.outcome, AnalysisOutcome::Valid);
    std::vector<double> types;
    for (const Point& point : walk.document->points) {
        types.push_back(point.type);
    }
    EXPECT_EQ(types, (std::vector<double>{4, 5, 7, 10}));
    EXPECT_EQ(FormatDocument(*walk.document, InputKind::WalkSource), walkText);
    ConversionState converted;
    ASSERT_EQ(AnalyseWalk(walkPath, converted), AnalysisOutcome::Valid);
    EXPECT_EQ(FormatDocument(*walk.document, InputKind::Sailorpoints),
              FormatSailorpoints(converted));

    const DocumentReading ini = ReadDocument(iniPath, InputKind::Sailorpoints);
    ASSERT_EQ(ini.outcome, AnalysisOutcome::Valid);
    EXPECT_EQ(ini.document->points[1].type, 8);
    EXPECT_EQ(FormatDocument(*ini.document, InputKind::Sailorpoints), iniText);
    ASSERT_EQ(AnalyseSailorpoints(iniPath, converted), AnalysisOutcome::Valid);
    EXPECT_EQ(FormatDocument(*ini.document, InputKind::WalkSource), FormatWalkSource(converted));
}

TEST(DocumentFile, TheLargestDocumentReadsBackWholeInBothKinds) {
    TempDir dir;
    const std::string path =
        dir.Write("ship_walk.c", FormatWalkSource(testing::SampleState())).string();
    DocumentReading reading = ReadDocument(path, InputKind::WalkSource);
    ASSERT_TRUE(reading.document);
    GraphDocument& document = *reading.document;
    ASSERT_TRUE(ApplyEdit(document, AddPoint{Point{1.5, -2.25, 1E-7, 10}}).Applied());
    ASSERT_TRUE(ApplyEdit(document, AddLink{1000, 0}).Applied());
    ASSERT_EQ(document.points.size(), 1001U);
    ASSERT_EQ(document.links.size(), 1001U);
    for (const InputKind kind : {InputKind::WalkSource, InputKind::Sailorpoints}) {
        const std::string name = kind == InputKind::WalkSource ? "ship_walk.c" : "ship1.ini";
        std::filesystem::create_directories(dir.path() / "back");
        const std::string written = (dir.path() / "back" / name).string();
        WriteDocument(written, document, kind);
        const DocumentReading back = ReadDocument(written, kind);
        ASSERT_EQ(back.outcome, AnalysisOutcome::Valid) << name;
        EXPECT_EQ(back.document->points.size(), 1001U) << name;
        EXPECT_TRUE(FormatDocument(*back.document, kind) == FormatDocument(document, kind)) << name;
    }
}

TEST(DocumentFile, FindingsOfAnEditedDocumentNumberLinksAsTheFileDoesAndPointToTheirStatements) {
    TempDir dir;
    // Link 1 has a negative end and is dropped; links 2 and 3 join the same pair.
    const std::string path = dir.Write("ship1.ini",
                                       "[POINT_DATA]\npoint 0 = 0,0,0,0\npoint 1 = 1,0,0,0\n"
                                       "point 2 = 2,0,0,0\n[LINK_DATA]\nlink 0 = 0,1\n"
                                       "link 1 = 1,-1\nlink 2 = 1,2\nlink 3 = 2,1\n")
                                 .string();
    DocumentReading reading = ReadDocument(path, InputKind::Sailorpoints);
    ASSERT_TRUE(reading.document);
    GraphDocument& document = *reading.document;
    const auto listed = [&] {
        std::vector<std::string> lines;
        for (const Finding& finding : FindingsOf(document)) {
            lines.push_back(std::string(finding.code) + " " +
                            (finding.place ? std::to_string(finding.place->line) : "-") + ": " +
                            finding.message);
        }
        return lines;
    };
    // Whatever the drop and the edits renumbered, the messages name the file's links, whose
    // statements the places point to.
    const std::vector<std::string> expected{
        "duplicate-link 9: link 3 joins points 2 and 1, as link 2 does already",
        "negative-end 7: 1 link with a negative end was dropped"};
    EXPECT_EQ(listed(), expected);
    ASSERT_TRUE(ApplyEdit(document, RemoveLink{0}).Applied());
    ASSERT_TRUE(ApplyEdit(document, AddLink{0, 2}).Applied());
    EXPECT_EQ(listed(), expected);
}

}  // namespace
}  // namespace walkconv
