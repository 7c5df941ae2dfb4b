#include "core/text_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/conversion_error.h"
#include "core/platform/system_file.h"
#include "support/platform.h"
#include "support/temp_dir.h"

namespace walkconv {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::TempDir;

// The names in a folder, sorted.
std::vector<std::string> NamesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

const std::string kContent = "\r\n[SIZE]\r\npoints = 1\r\n\0x\r\n"s;

TEST(WriteFileAtomically, WritesTheBytesAsGivenAndLeavesNoTemporaryFile) {
    TempDir dir;
    WriteFileAtomically(dir.path() / "out.ini", kContent);
    EXPECT_EQ(TempDir::Read(dir.path() / "out.ini"), kContent);
    EXPECT_THAT(NamesIn(dir.path()), ElementsAre("out.ini"));
}

TEST(WriteFileAtomically, ReplacesAnExistingFileAndKeepsItsPermissions) {
    if (testing::kOnWindows) {
        GTEST_SKIP() << testing::kNoPosixPermissions;
    }
    TempDir dir;
    const fs::path target = dir.Write("out.ini", std::string(1000, 'o'));
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    WriteFileAtomically(target, kContent);

    EXPECT_EQ(TempDir::Read(target), kContent);
    EXPECT_EQ(fs::status(target).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_THAT(NamesIn(dir.path()), ElementsAre("out.ini"));
}

TEST(WriteFileAtomically, ThroughASymbolicLinkReplacesTheFileItPointsTo) {
    TempDir dir;
    fs::create_directory(dir.path() / "models");
    const fs::path real = dir.Write("models/ship1.ini", "old");
    const fs::path link = dir.path() / "link.ini";
    std::error_code error;
    fs::create_symlink(real, link, error);
    if (error) {
        GTEST_SKIP() << "no symbolic links here: " << error.message();
    }

    WriteFileAtomically(link, kContent);

    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(TempDir::Read(real), kContent);
    EXPECT_THAT(NamesIn(dir.path() / "models"), ElementsAre("ship1.ini"));
}

TEST(WriteFileAtomically, WritesAFileWithTheLongestNameTheFolderAllows) {
    TempDir dir;
    const std::string name = std::string(250, 'n') + "1.ini";  // 255 bytes, the usual limit
    const fs::path target = dir.Write(name, "old");
    ASSERT_EQ(TempDir::Read(target), "old");

    WriteFileAtomically(target, kContent);

    EXPECT_EQ(TempDir::Read(target), kContent);
    EXPECT_THAT(NamesIn(dir.path()), ElementsAre(name));
}

TEST(WriteFileAtomically, ATargetInAMissingFolderThrowsAndCreatesNothing) {
    TempDir dir;
    EXPECT_THROW(WriteFileAtomically(dir.path() / "missing" / "out.ini", kContent),
                 ConversionError);
    EXPECT_THAT(NamesIn(dir.path()), IsEmpty());
}

TEST(WriteFileAtomically, ATargetThatIsAFolderThrowsAndStaysAsItWas) {
    TempDir dir;
    fs::create_directory(dir.path() / "out.ini");
    dir.Write("out.ini/inside.txt", "kept");

    EXPECT_THROW(WriteFileAtomically(dir.path() / "out.ini", kContent), ConversionError);

    EXPECT_TRUE(fs::is_directory(dir.path() / "out.ini"));
    EXPECT_THAT(NamesIn(dir.path()), ElementsAre("out.ini"));
    EXPECT_THAT(NamesIn(dir.path() / "out.ini"), ElementsAre("inside.txt"));
    EXPECT_EQ(TempDir::Read(dir.path() / "out.ini" / "inside.txt"), "kept");
}

TEST(WriteFileAtomically, APathWithoutAFileNameThrows) {
    TempDir dir;
    EXPECT_THROW(WriteFileAtomically(fs::path(), kContent), ConversionError);
    EXPECT_THROW(WriteFileAtomically(dir.path() / "", kContent), ConversionError);
    EXPECT_THAT(NamesIn(dir.path()), IsEmpty());
}

// Every way a save can fail on the disk: the old file stays byte for byte, and the folder
// holds exactly what it held before.
TEST(WriteFileAtomically, AFailingDiskLeavesTheOldFileAndNoTemporaryFile) {
    const std::string old = "\r\n[SIZE]\r\npoints = 7\r\n" + std::string(5000, 'o');
    const std::string bigger = std::string(100000, 'n');
    struct Case {
        const char* name;
        StorageFaults faults;
        std::string content;
        const char* reason;
    };
    const Case cases[] = {
        {"read-only folder", {.createFails = true}, kContent, "Permission denied"},
        {"full disk, nothing written", {.spaceLeft = 0}, kContent, "No space left on device"},
        {"disk full half way", {.spaceLeft = 4096}, bigger, "No space left on device"},
        {"flush to the disk fails", {.commitFails = true}, bigger, "Input/output error"},
        {"target marked read-only", {.markedReadOnly = true}, kContent, "the file is read-only"},
        {"replace refused", {.replaceFails = true}, bigger, "Permission denied"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const fs::path target = dir.Write("ship1.ini", old);
        const ScopedStorageFaults faults(c.faults);
        try {
            WriteFileAtomically(target, c.content);
            ADD_FAILURE() << "no error";
        } catch (const ConversionError& error) {
            EXPECT_STREQ(error.what(), c.reason);
        }
        EXPECT_EQ(TempDir::Read(target), old);
        EXPECT_THAT(NamesIn(dir.path()), ElementsAre("ship1.ini"));
    }
}

// The new name is in place, but whether it would survive a crash is not known: a failure.
TEST(WriteFileAtomically, AFailingFlushOfTheFolderIsReportedAfterTheReplace) {
    TempDir dir;
    const fs::path target = dir.Write("ship1.ini", "old");
    const ScopedStorageFaults faults({.folderSyncFails = true});
    EXPECT_THROW(WriteFileAtomically(target, kContent), ConversionError);
    EXPECT_EQ(TempDir::Read(target), kContent);
    EXPECT_THAT(NamesIn(dir.path()), ElementsAre("ship1.ini"));
}

// Windows can neither replace nor remove a read-only file, so the save is refused before
// anything is written; elsewhere a file's own permissions do not stop its replacement.
TEST(WriteFileAtomically, AReadOnlyTargetIsRefusedOnlyWhereTheSystemForbidsReplacingIt) {
    TempDir dir;
    const fs::path target = dir.Write("ship1.ini", "old");
    fs::permissions(target, fs::perms::owner_read);
    if (testing::kOnWindows) {
        try {
            WriteFileAtomically(target, kContent);
            ADD_FAILURE() << "no error";
        } catch (const ConversionError& error) {
            EXPECT_STREQ(error.what(), "the file is read-only");
        }
        EXPECT_EQ(TempDir::Read(target), "old");
    } else {
        WriteFileAtomically(target, kContent);
        EXPECT_EQ(TempDir::Read(target), kContent);
        EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read);
    }
    EXPECT_THAT(NamesIn(dir.path()), ElementsAre("ship1.ini"));
    fs::permissions(target, fs::perms::owner_all);  // so that the folder can be removed
}

TEST(WriteFileAtomically, AReadOnlyFolderRefusesTheSaveAndKeepsTheOldFile) {
    if (testing::kOnWindows) {
        GTEST_SKIP() << "a folder's read-only attribute does not stop writing on Windows";
    }
    TempDir dir;
    fs::create_directory(dir.path() / "locked");
    const fs::path target = dir.Write("locked/ship1.ini", "old");
    fs::permissions(dir.path() / "locked", fs::perms::owner_read | fs::perms::owner_exec);
    std::error_code probe;
    if (fs::create_directory(dir.path() / "locked" / "probe", probe)) {
        fs::remove(dir.path() / "locked" / "probe");
        fs::permissions(dir.path() / "locked", fs::perms::owner_all);
        GTEST_SKIP() << "this user may write into a read-only folder (the injected fault above "
                        "stands in for it)";
    }

    EXPECT_THROW(WriteFileAtomically(target, kContent), ConversionError);

    fs::permissions(dir.path() / "locked", fs::perms::owner_all);
    EXPECT_EQ(TempDir::Read(target), "old");
    EXPECT_THAT(NamesIn(dir.path() / "locked"), ElementsAre("ship1.ini"));
}

TEST(IsRegularFile, AcceptsFilesAndLinksToFilesOnly) {
    if (testing::kOnWindows) {
        GTEST_SKIP() << testing::kNoSymbolicLinks;
    }
    TempDir dir;
    const fs::path file = dir.Write("ship_walk.c", "x");
    fs::create_directory(dir.path() / "folder");
    fs::create_symlink(file, dir.path() / "link_to_file");
    fs::create_symlink(dir.path() / "folder", dir.path() / "link_to_folder");
    fs::create_symlink(dir.path() / "gone", dir.path() / "dangling");

    EXPECT_TRUE(IsRegularFile(file));
    EXPECT_TRUE(IsRegularFile(dir.path() / "link_to_file"));
    EXPECT_FALSE(IsRegularFile(dir.path() / "folder"));
    EXPECT_FALSE(IsRegularFile(dir.path() / "link_to_folder"));
    EXPECT_FALSE(IsRegularFile(dir.path() / "dangling"));
    EXPECT_FALSE(IsRegularFile(dir.path() / "missing"));
    EXPECT_FALSE(IsRegularFile(fs::path()));
}

TEST(IsRegularFile, FilesMarkedHiddenOrSystemCountAsMissing) {
    if (!testing::kOnWindows) {
        GTEST_SKIP() << "only Windows marks files hidden or system";
    }
    TempDir dir;
    const fs::path plain = dir.Write("ship_walk.c", "x");
    const fs::path hidden = dir.Write("hidden_walk.c", "x");
    const fs::path system = dir.Write("system_walk.c", "x");
    const auto attrib = [](const char* flags, const fs::path& file) {
        return std::system(("attrib " + std::string(flags) + " \"" + file.string() + "\"").c_str());
    };
    ASSERT_EQ(attrib("+h", hidden), 0);
    ASSERT_EQ(attrib("+s", system), 0);
    EXPECT_TRUE(IsRegularFile(plain));
    EXPECT_FALSE(IsRegularFile(hidden));
    EXPECT_FALSE(IsRegularFile(system));
}

TEST(ReadTextFile, ReadsEveryByteOfAUtf8NamedFile) {
    TempDir dir;
    const std::string content = "a\r\nb\rc\n\xE9\0d"s;
    dir.Write(
        "\xC3\xBC"
        "ber_walk.c",
        content);
    EXPECT_EQ(ReadTextFile(PathFromUtf8((dir.path() / "\xC3\xBC"
                                                      "ber_walk.c")
                                            .string())),
              content);
    EXPECT_EQ(ReadTextFile(dir.Write("empty.c", "")), "");
    EXPECT_THROW(ReadTextFile(dir.path() / "missing.c"), ConversionError);
}

}  // namespace
}  // namespace walkconv
