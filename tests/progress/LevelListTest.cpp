#include "progress/LevelList.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "progress/WorkingDirTest.h"

namespace {

class LevelListTest : public WorkingDirTest {
protected:
    void Levels(const std::string& contents) { dir.Write("levels.txt", contents); }

    // "password>next" of FindLevelAfter, for compact expectations.
    std::string After(const std::string& name) {
        std::string password = "stale", next = "stale";
        FindLevelAfter(name, password, next);
        return password + ">" + next;
    }
};

TEST(LevelLineTest, SplitsAtTheFirstColonOnly) {
    LevelEntry entry = SplitLevelLine("gdat\\l1.png:12:34");
    EXPECT_EQ("gdat\\l1.png", entry.name);
    EXPECT_EQ("12:34", entry.password);

    entry = SplitLevelLine("no colon here");
    EXPECT_EQ("no colon here", entry.name);
    EXPECT_EQ("no colon here", entry.password);

    entry = SplitLevelLine(":123456");
    EXPECT_EQ("", entry.name);
    EXPECT_EQ("123456", entry.password);

    // Blanks are part of the fields; nothing is trimmed.
    entry = SplitLevelLine(" a : 1 ");
    EXPECT_EQ(" a ", entry.name);
    EXPECT_EQ(" 1 ", entry.password);
}

TEST_F(LevelListTest, MissingFileOrAFolderIsToldApartFromNotFound) {
    // Opening a folder succeeds but every read fails; the scans must stop.
    for (bool folder : {false, true}) {
        if (folder) {
            ASSERT_EQ(0, mkdir(dir.File("levels.txt").c_str(), 0755));
        }
        std::string name = "untouched", password, next;
        EXPECT_EQ(LevelLookup::Unreadable, FirstLevel(name));
        EXPECT_EQ(LevelLookup::Unreadable, FindLevelByPassword("111111", name));
        EXPECT_EQ("untouched", name);
        EXPECT_EQ(LevelLookup::Unreadable, FindLevelAfter("a", password, next));
        EXPECT_EQ(">", After("a"));
    }
    ASSERT_EQ(0, rmdir(dir.File("levels.txt").c_str()));
    Levels("a:111111\n");
    std::string name, password, next;
    EXPECT_EQ(LevelLookup::NotFound, FindLevelByPassword("222222", name));
    EXPECT_EQ(LevelLookup::NotFound, FindLevelAfter("b", password, next));
    EXPECT_EQ(">", After("b"));
}

TEST_F(LevelListTest, FirstLevelReadsOnlyTheFirstLine) {
    std::string name;
    Levels("a:111111\nb:222222\n");
    ASSERT_EQ(LevelLookup::Found, FirstLevel(name));
    EXPECT_EQ("a", name);

    Levels("a\r\nb\r\n");
    ASSERT_EQ(LevelLookup::Found, FirstLevel(name));
    EXPECT_EQ("a", name);

    // An empty file and an empty first line both give the empty name.
    Levels("");
    ASSERT_EQ(LevelLookup::Found, FirstLevel(name));
    EXPECT_EQ("", name);
    name = "x";
    Levels("\nb:222222\n");
    ASSERT_EQ(LevelLookup::Found, FirstLevel(name));
    EXPECT_EQ("", name);
}

TEST_F(LevelListTest, PasswordLookupTakesTheEarliestExactMatch) {
    std::string name;
    Levels("a:111111\nb:222222\nc:222222\nd:333333 \ne:444444");
    ASSERT_EQ(LevelLookup::Found, FindLevelByPassword("222222", name));
    EXPECT_EQ("b", name);
    // A trailing blank is part of the password.
    EXPECT_EQ(LevelLookup::NotFound, FindLevelByPassword("333333", name));
    // The last line counts without a line break after it.
    ASSERT_EQ(LevelLookup::Found, FindLevelByPassword("444444", name));
    EXPECT_EQ("e", name);
    // CRLF endings read like LF.
    Levels("a:111111\r\nb:222222\r\n");
    ASSERT_EQ(LevelLookup::Found, FindLevelByPassword("111111", name));
    EXPECT_EQ("a", name);
}

TEST_F(LevelListTest, SuccessorIsTheNextLineUpToAnEmptyOne) {
    Levels("a:111111\nb:222222\n\nc:333333\nd:444444\n");
    EXPECT_EQ("111111>b", After("a"));
    // The empty line ends the sequence for b; c is reachable by password only.
    EXPECT_EQ("222222>", After("b"));
    EXPECT_EQ("333333>d", After("c"));
    // The last level: its successor is the empty line the final break leaves.
    EXPECT_EQ("444444>", After("d"));
    // Without the final break the last level ends the list just the same.
    Levels("a:111111\nb:222222");
    EXPECT_EQ("111111>b", After("a"));
    EXPECT_EQ("222222>", After("b"));
}

TEST_F(LevelListTest, SuccessorReadsCrlfAndFirstOfDuplicates) {
    Levels("a:111111\r\nb:222222\r\na:999999\r\nc:333333\r\n");
    // The first occurrence wins: the game goes on with b, not c.
    EXPECT_EQ("111111>b", After("a"));
    EXPECT_EQ("222222>a", After("b"));
    EXPECT_EQ("333333>", After("c"));
    // A line without a colon is its own password.
    Levels("a\nb\n");
    EXPECT_EQ("a>b", After("a"));
}

}  // namespace
