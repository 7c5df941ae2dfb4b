// The checks against the ship's model and the repair of a point off the deck, on the sample
// ship: a main deck at height 2, a quarterdeck at 3 from z 15 aft, a mast at z 10.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/editing/graph_edit.h"
#include "core/editing/repairs.h"
#include "core/findings/findings.h"
#include "support/analysed_graph.h"
#include "support/ship_model.h"

namespace walkconv {
namespace {

const MeshIndex& Ship() {
    static const MeshIndex ship(testing::SampleShip());
    return ship;
}

// The messages of the findings with `code`.
std::vector<std::string> Messages(const std::vector<Finding>& findings, std::string_view code) {
    std::vector<std::string> messages;
    for (const Finding& finding : findings) {
        if (finding.code == code) {
            messages.push_back(finding.message);
        }
    }
    return messages;
}

TEST(DeckFindings, APointOffTheDeckSaysByHowMuchAndWhichSurface) {
    struct Case {
        Point point;
        const char* message;  // empty for none
    };
    const Case cases[] = {
        {{0, 2, 5, 0}, ""},
        {{0, 2.25, 5, 0}, ""},  // as high over the deck as a point may float
        {{0, 1.95, 5, 0}, ""},  // as deep in it as a point may sink
        {{1, 3, 17, 0}, ""},    // on the quarterdeck
        {{0, 2.6, 5, 0}, "point 0 floats 0.6 above the surface at height 2"},
        {{0, 1.9, 5, 0}, "point 0 lies 0.1 under the surface at height 2, sunk into the deck"},
        {{1, 2.8, 17, 0}, "point 0 lies 0.2 under the surface at height 3, sunk into the deck"},
        {{5, 2, 5, 0}, "point 0 has no surface under it"},
        {{1, -1, 5, 0}, "point 0 has no surface under it, only one 1 above it at height 0"},
    };
    const ModelCheck model{&Ship(), {}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        const testing::AnalysedGraph graph = testing::Analysed({c.point, {0, 2, 1, 0}}, {{0, 1}});
        const std::vector<std::string> messages =
            Messages(CollectFindings(graph.state, graph.details, nullptr, &model),
                     finding_code::kPointOffDeck);
        EXPECT_EQ(messages, *c.message == '\0' ? std::vector<std::string>{}
                                               : std::vector<std::string>{c.message});
    }
}

TEST(DeckFindings, ALinkThroughTheModelSaysWhereAlongIt) {
    struct Case {
        Point from;
        Point to;
        DeckDistances distances;
        const char* message;  // empty for none
    };
    const Case cases[] = {
        {{0, 2.2, 9, 0},
         {0, 2.2, 11, 0},
         {},
         "link 0 runs through the model 0.75 from point 0 (of 2 to point 1), at 0, 2.2, 9.75"},
        {{1, 2, 14, 0},
         {1, 3, 16, 0},
         {},
         "link 0 runs through the model 1.118 from point 0 (of 2.236 to point 1), at 1, 2.5, 15"},
        {{1, 2, 1, 0}, {1, 2, 14, 0}, {}, ""},  // along the deck, beside the mast
        // Meeting the deck within the clearance at its end, or beyond it without one.
        {{1, 1.99, 5, 0}, {1, 2.2, 6, 0}, {}, ""},
        {{1, 1.99, 5, 0},
         {1, 2.2, 6, 0},
         {0.25, 0.05, 0},
         "link 0 runs through the model 0.049 from point 0 (of 1.022 to point 1), at 1, 2, 5.048"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        const ModelCheck model{&Ship(), c.distances};
        const testing::AnalysedGraph graph = testing::Analysed({c.from, c.to}, {{0, 1}});
        const std::vector<std::string> messages =
            Messages(CollectFindings(graph.state, graph.details, nullptr, &model),
                     finding_code::kLinkThroughModel);
        EXPECT_EQ(messages, *c.message == '\0' ? std::vector<std::string>{}
                                               : std::vector<std::string>{c.message});
    }
}

TEST(DeckFindings, NoModelNoChecksAgainstIt) {
    const testing::AnalysedGraph graph =
        testing::Analysed({{5, 9, 5, 0}, {0, 2.2, 11, 0}}, {{0, 1}});
    const ModelCheck withoutMesh{};
    for (const ModelCheck* model : {static_cast<const ModelCheck*>(nullptr), &withoutMesh}) {
        for (const Finding& finding : CollectFindings(graph.state, graph.details, nullptr, model)) {
            EXPECT_NE(finding.code, finding_code::kPointOffDeck);
            EXPECT_NE(finding.code, finding_code::kLinkThroughModel);
        }
    }
}

TEST(DeckRepairs, APointMovesOntoTheNearestSurfaceUnderOrOverIt) {
    GraphDocument document;
    document.points = {{0, 2.6, 5, 0}, {0, 1.9, 5, 0}, {5, 2, 5, 0}, {1, -1, 5, 0}, {0, 2, 3, 0}};
    document.links = {{{0, 4}}, {{1, 4}}, {{2, 4}}, {{3, 4}}, {{4, 4}}};
    const ModelCheck model{&Ship(), {}};
    const std::vector<Finding> findings = FindingsOf(document, &model);
    const std::vector<Repair> repairs = RepairsOf(document, findings, &model);
    std::vector<std::string> descriptions;
    for (const Repair& repair : repairs) {
        descriptions.push_back(repair.description);
    }
    EXPECT_EQ(descriptions, (std::vector<std::string>{
                                "remove link 4 (joins point 4 to itself)",
                                "move point 0 onto the surface at height 2 (from 2.6)",
                                "move point 1 onto the surface at height 2 (from 1.9)",
                                "move point 3 onto the surface at height 0 (from -1)",
                            }));
    // Point 2 stands beside the hull: no surface to put it on, so it is left for a person.
    std::vector<int> left;
    for (const Finding& finding : findings) {
        if (!IsRepaired(finding, repairs)) {
            left.insert(left.end(), finding.points.begin(), finding.points.end());
        }
    }
    EXPECT_EQ(left, std::vector<int>{2});

    ASSERT_TRUE(ApplyEdit(document, RepairAll(repairs)).Applied());
    EXPECT_EQ(document.links.size(), 4U);
    std::vector<double> heights;
    for (const Point& point : document.points) {
        heights.push_back(point.y);
    }
    EXPECT_EQ(heights, (std::vector<double>{2, 2, 2, 0, 2}));
    EXPECT_EQ(Messages(FindingsOf(document, &model), finding_code::kPointOffDeck),
              std::vector<std::string>{"point 2 has no surface under it"});
}

}  // namespace
}  // namespace walkconv
