#include "TestSupport.h"
#include "scenes/ScoreTable.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {

ScoreEntry make(const char* name, int score)
{
    ScoreEntry e;
    std::snprintf(e.name, sizeof e.name, "%s", name);
    e.score = score;
    return e;
}

std::vector<std::pair<std::string, int>> rows(const ScoreTable& table)
{
    std::vector<std::pair<std::string, int>> out;
    for (int i = 0; i < table.count(); ++i)
        out.emplace_back(table.entry(i).name, table.entry(i).score);
    return out;
}

using Rows = std::vector<std::pair<std::string, int>>;

class ScoreTableTest : public ::testing::Test {
protected:
    TemporaryFolder folder{false};
    ScoreTable table;
};

}  // namespace

TEST_F(ScoreTableTest, LoadKeepsFileOrderAndInsertSortsByScore)
{
    folder.write("data/score.txt", "BBB,300\r\nAAA,500\r\nCCC,100\r\n");
    table.load("data/score.txt");
    EXPECT_EQ(rows(table), (Rows{{"BBB", 300}, {"AAA", 500}, {"CCC", 100}}));
    table.insert(make("DDD", 400));
    EXPECT_EQ(rows(table), (Rows{{"AAA", 500}, {"DDD", 400}, {"BBB", 300}, {"CCC", 100}}));
    ASSERT_EQ(table.save("data/score.txt"), 0);
    EXPECT_EQ(folder.read("data/score.txt"), "AAA,500\r\nDDD,400\r\nBBB,300\r\nCCC,100\r\n");
    EXPECT_EQ(table.entry(10).score, 0);
    EXPECT_STREQ(table.entry(10).name, "");
}

TEST_F(ScoreTableTest, EqualScoresKeepTheirOrderInTablesOfAnySize)
{
    for (int size : {3, 40}) {
        table.clear();
        for (int i = 0; i < size; ++i)
            table.insert(make(("E" + std::to_string(i)).c_str(), i % 2 == 0 ? 100 : 200));
        table.insert(make("NEW", 100));
        int lastHundred = -1;
        for (int i = 0; i < table.count(); ++i)
            if (table.entry(i).score == 100)
                lastHundred = i;
        EXPECT_STREQ(table.entry(lastHundred).name, "NEW") << size;
    }
}

TEST_F(ScoreTableTest, NamesSurviveVerbatimWithTrailingSpacesAndPercentSigns)
{
    table.insert(make("AB      ", 300));
    table.insert(make("%s%n%d", 200));
    ASSERT_EQ(table.save("data/score.txt"), 0);
    EXPECT_EQ(folder.read("data/score.txt"), "AB      ,300\r\n%s%n%d,200\r\n");
    table.load("data/score.txt");
    EXPECT_EQ(rows(table), (Rows{{"AB      ", 300}, {"%s%n%d", 200}}));
}

TEST_F(ScoreTableTest, OddLinesGiveOneEntryOrNone)
{
    const std::string longLine = std::string(300, 'X') + ",7," + std::string(300, '9');
    folder.write("data/score.txt", "AB,12x\n,500\nno comma here\n\nABCDEFGHIJKLMNOPQRSTUVWXYZ,1\n" + longLine
                                       + "\nBIG,99999999999999\nLOW,-99999999999999\nLF,5");
    table.load("data/score.txt");
    EXPECT_EQ(rows(table), (Rows{{"AB", 12},
                                 {"", 500},
                                 {"ABCDEFGHIJKLMNO", 1},
                                 {std::string(15, 'X'), 7},
                                 {"BIG", 2147483647},
                                 {"LOW", -2147483647 - 1},
                                 {"LF", 5}}));
}

TEST_F(ScoreTableTest, GarbageAndVeryLongFilesLoadWithoutHarm)
{
    std::string garbage;
    for (int i = 0; i < 200000; ++i)
        garbage.push_back(static_cast<char>((i * 7919) % 256));
    folder.write("data/score.txt", garbage);
    table.load("data/score.txt");
    EXPECT_GE(table.count(), 0);
    std::string many;
    for (int i = 0; i < 100000; ++i)
        many += "N" + std::to_string(i % 10) + "," + std::to_string(i) + "\n";
    folder.write("data/score.txt", many);
    table.load("data/score.txt");
    EXPECT_EQ(table.count(), 100000);
    EXPECT_EQ(table.entry(99999).score, 99999);
}

TEST_F(ScoreTableTest, AFailedSaveLeavesTheOldFileAsItWas)
{
    folder.write("data/score.txt", "OLD,1\r\n");
    table.insert(make("NEW", 2));
    chmod((folder.path() + "/data").c_str(), 0500);
    const bool enforced = access((folder.path() + "/data").c_str(), W_OK) != 0;  // root writes anyway
    if (enforced) {
        EXPECT_NE(table.save("data/score.txt"), 0);
        EXPECT_EQ(folder.read("data/score.txt"), "OLD,1\r\n");
    }
    chmod((folder.path() + "/data").c_str(), 0700);
    // A folder that is not there cannot be written either; nothing is left behind.
    EXPECT_NE(table.save("missing/score.txt"), 0);
    // A file in the way of the new one: the rename fails and the old file stays.
    mkdir((folder.path() + "/data/blocked.txt").c_str(), 0700);
    mkdir((folder.path() + "/data/blocked.txt/inside").c_str(), 0700);
    EXPECT_NE(table.save("data/blocked.txt"), 0);
    EXPECT_EQ(access((folder.path() + "/data/blocked.txt.new").c_str(), F_OK), -1);
    EXPECT_EQ(folder.read("data/score.txt"), "OLD,1\r\n");
}

TEST_F(ScoreTableTest, AMissingFileIsAnEmptyTable)
{
    table.insert(make("X", 1));
    table.load("data/score.txt");
    EXPECT_EQ(table.count(), 0);
}
