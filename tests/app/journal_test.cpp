#include "app/journal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/journal_store.h"
#include "support/temp_dir.h"

namespace walkconv::app {
namespace {

using testing::TempDir;

// Every kind of edit, in a group too, with values a decimal writer could round.
Journal EveryEdit() {
    Journal journal;
    journal.file = "/ships/brig \xC3\xA9_walk.c";
    journal.identity = IdentityOf("int brig_walk_count;\n");
    journal.kind = InputKind::Sailorpoints;
    journal.model = "brig \xC3\xA9";
    const Point point{0.1, -2.5e-7, 1e300, 5};
    journal.steps = {
        {MovePoint{3, 0.1, 0.2, 0.30000000000000004}, MovePoint{3, 1, 2, 3}},
        {SetPointType{1, 7}, SetPointType{1, 0}},
        {AddPoint{point}, RemovePoint{9}},
        {InsertPoint{2, point, 4}, RemovePoint{2}},
        {AddLink{0, 9}, RemoveLink{12}},
        {InsertLink{4, DocumentLink{{-1, 3}, 7}}, RemoveLink{4}},
        {EditGroup{{MovePoint{0, 1, 1, 1}, EditGroup{{RemoveLink{0}}}}}, EditGroup{}},
    };
    journal.done = 5;
    journal.saved = 2;
    return journal;
}

TEST(Journal, WrittenAndReadBackItIsTheSameJournalWithItsVersionOnTheSecondLine) {
    const Journal journal = EveryEdit();
    const std::string text = FormatJournal(journal);
    EXPECT_EQ(text.substr(0, text.find('\n', 2)), "{\n \"version\": 1,");
    EXPECT_EQ(ParseJournal(text), journal);
}

TEST(Journal, TextThatIsNoJournalOfThisVersionReadsAsNone) {
    const std::string good = FormatJournal(EveryEdit());
    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        return text.replace(text.find(from), from.size(), to);
    };
    const std::vector<std::pair<const char*, std::string>> rows = {
        {"empty", ""},
        {"cut short", good.substr(0, good.size() / 2)},
        {"not JSON", "walk\n"},
        {"a later version", replaced("\"version\": 1", "\"version\": 2")},
        {"an unknown edit", replaced("\"move\"", "\"twist\"")},
        {"an unknown kind", replaced("\"sailorpoints\"", "\"mesh\"")},
        {"more steps done than held", replaced("\"done\": 5", "\"done\": 8")},
        {"a file saved after more steps than held", replaced("\"saved\": 2", "\"saved\": 8")},
        {"no file", replaced("\"file\": \"/ships/brig \xC3\xA9_walk.c\"", "\"file\": \"\"")},
        {"a coordinate that is text", replaced("\"at\": [\n", "\"at\": [\"x\",\n")},
    };
    for (const auto& [name, text] : rows) {
        EXPECT_EQ(ParseJournal(text), std::nullopt) << name;
    }
}

TEST(JournalStore, OneJournalAFileFoundByItsPathAndSetAsideUnderAnotherName) {
    TempDir dir;
    const std::filesystem::path folder = dir.path() / "settings" / "journal";
    Journal first = EveryEdit();
    first.file = (dir.path() / "a_walk.c").string();
    Journal second = first;
    second.file = (dir.path() / "b_walk.c").string();
    WriteJournal(folder, first);
    WriteJournal(folder, second);
    second.done = 1;
    WriteJournal(folder, second);  // replaces the journal of the same file
    dir.WriteFile(folder / "notes.txt", "not a journal");

    const std::vector<FoundJournal> found = FindJournals(folder);
    ASSERT_EQ(found.size(), 2u);
    const std::optional<FoundJournal> ofSecond =
        FindJournal(folder, (dir.path() / "." / "b_walk.c").string());
    ASSERT_TRUE(ofSecond.has_value());
    EXPECT_EQ(ofSecond->journal, second);

    TempDir::WriteFile(ofSecond->place, "{");
    EXPECT_EQ(FindJournal(folder, second.file)->journal, std::nullopt);
    SetAside(ofSecond->place);
    EXPECT_EQ(FindJournal(folder, second.file), std::nullopt);
    EXPECT_TRUE(std::filesystem::exists(ofSecond->place.string() + ".set-aside"));
    RemoveJournal(folder, first.file);
    EXPECT_TRUE(FindJournals(folder).empty());
    EXPECT_TRUE(FindJournals(dir.path() / "none").empty());
}

}  // namespace
}  // namespace walkconv::app
