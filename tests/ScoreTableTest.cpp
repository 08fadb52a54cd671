#include "SyscallSpy.h"
#include "TestSupport.h"
#include "platform/WholeFile.h"
#include "scenes/ScoreTable.h"

#include <algorithm>
#include <filesystem>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
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

TEST_F(ScoreTableTest, WhatCannotBeSavedLeavesNothingBehind)
{
    table.insert(make("NEW", 2));
    EXPECT_NE(table.save("missing/score.txt"), 0);
    // Something other than a file in the way: it stays, and the old file too.
    folder.write("data/score.txt", "OLD,1\r\n");
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

namespace {

constexpr const char* kFile = "data/score.txt";
constexpr const char* kOld = "OLD,1\r\n";
constexpr const char* kOldAndNew = "NEW,2\r\nOLD,1\r\n";
// The ordinary mask, so that modes of new files are known.
constexpr mode_t kUmask = 022;

mode_t modeOf(const std::string& path)
{
    struct stat info {};
    stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

ino_t inodeOf(const std::string& path)
{
    struct stat info {};
    stat(path.c_str(), &info);
    return info.st_ino;
}

int countLines(const std::string& text)
{
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

// The faults a player meets with a ranking file kept as anyone might keep it. The
// cases run as an unprivileged player: as root, in a child process that has become
// the user nobody and owns the folder, since root may write where a player may not.
class PlayerRankingTest : public ScoreTableTest {
protected:
    void SetUp() override { umask(kUmask); }
    void TearDown() override { SyscallSpy::reset(); }

    // The old ranking, one entry, loaded; the new entry inserted.
    void loadOldAndInsertNew()
    {
        table.load(kFile);
        table.insert(make("NEW", 2));
    }

    // Runs body as the player, checks made inside it count.
    void asPlayer(const std::function<void()>& body)
    {
        if (geteuid() != 0) {
            body();
            return;
        }
        const passwd* nobody = getpwnam("nobody");
        if (nobody == nullptr)
            GTEST_SKIP() << "running as root with no user nobody to play as";
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.path()))
            lchown(entry.path().c_str(), nobody->pw_uid, nobody->pw_gid);
        chown(folder.path().c_str(), nobody->pw_uid, nobody->pw_gid);
        std::fflush(nullptr);
        const pid_t child = fork();
        if (child == 0) {
            const bool player = setgroups(0, nullptr) == 0 && setgid(nobody->pw_gid) == 0 && setuid(nobody->pw_uid) == 0;
            EXPECT_TRUE(player) << "cannot become nobody";
            if (player)
                body();
            std::fflush(nullptr);
            _exit(HasFailure() ? 1 : 0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a check failed as the player (above)";
    }
};

}  // namespace

TEST_F(PlayerRankingTest, AFileThePlayerCannotReadIsNeverWrittenOver)
{
    asPlayer([&] {
        folder.write(kFile, kOld);
        chmod(kFile, 0200);
        testing::internal::CaptureStderr();
        loadOldAndInsertNew();
        EXPECT_NE(table.save(kFile), 0);
        const std::string said = testing::internal::GetCapturedStderr();
        // The new entry is shown; the reason is given once.
        EXPECT_EQ(rows(table), (Rows{{"NEW", 2}}));
        EXPECT_EQ(countLines(said), 1) << said;
        EXPECT_NE(said.find("Permission denied"), std::string::npos) << said;
        EXPECT_EQ(modeOf(kFile), 0200u);
        chmod(kFile, 0600);
        EXPECT_EQ(folder.read(kFile), kOld);
    });
}

TEST_F(PlayerRankingTest, AFileTooLargeToReadIsNeverWrittenOver)
{
    // Sparse: it takes no room on the disk.
    folder.write(kFile, "");
    std::filesystem::resize_file(kFile, kMostWholeFileBytes + 1);
    testing::internal::CaptureStderr();
    loadOldAndInsertNew();
    EXPECT_NE(table.save(kFile), 0);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("is too large to read"), std::string::npos) << said;
    EXPECT_EQ(rows(table), (Rows{{"NEW", 2}}));
    EXPECT_EQ(std::filesystem::file_size(kFile), kMostWholeFileBytes + 1);
}

TEST_F(PlayerRankingTest, AReadErrorPartWayLeavesTheFileAsItWas)
{
    // Larger than one read, so the error comes after some lines have been read.
    std::string file;
    for (int i = 0; i < 8000; ++i)
        file += "PLAYER" + std::to_string(i) + "," + std::to_string(100000 - i) + "\r\n";
    folder.write(kFile, file);
    SyscallSpy::failCall(SyscallSpy::Call::Read, 2, EIO);
    testing::internal::CaptureStderr();
    loadOldAndInsertNew();
    EXPECT_NE(table.save(kFile), 0);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(table.count(), 1);
    EXPECT_NE(said.find("Input/output error"), std::string::npos) << said;
    EXPECT_EQ(folder.read(kFile), file);
    // Read whole the next time, it is saved again.
    loadOldAndInsertNew();
    EXPECT_EQ(table.count(), 8001);
    EXPECT_EQ(table.save(kFile), 0);
}

TEST_F(PlayerRankingTest, AFileInAFolderThePlayerCannotWriteIsWrittenInPlace)
{
    asPlayer([&] {
        folder.write(kFile, kOld);
        const ino_t inode = inodeOf(kFile);
        chmod("data", 0555);
        loadOldAndInsertNew();
        EXPECT_EQ(table.save(kFile), 0);
        EXPECT_EQ(folder.read(kFile), kOldAndNew);
        EXPECT_EQ(inodeOf(kFile), inode);
        // Shorter than before: nothing of the old contents is left at the end.
        table.clear();
        table.insert(make("N", 3));
        EXPECT_EQ(table.save(kFile), 0);
        EXPECT_EQ(folder.read(kFile), "N,3\r\n");
        chmod("data", 0755);
    });
}

TEST_F(PlayerRankingTest, AReadOnlyFileIsLeftAloneAndOthersKeepTheirMode)
{
    asPlayer([&] {
        folder.write(kFile, kOld);
        chmod(kFile, 0444);
        loadOldAndInsertNew();
        testing::internal::CaptureStderr();
        EXPECT_NE(table.save(kFile), 0);
        EXPECT_NE(testing::internal::GetCapturedStderr().find("Permission denied"), std::string::npos);
        EXPECT_EQ(rows(table), (Rows{{"NEW", 2}, {"OLD", 1}}));
        EXPECT_EQ(folder.read(kFile), kOld);
        EXPECT_EQ(modeOf(kFile), 0444u);

        for (mode_t mode : {0600u, 0640u, 0664u}) {
            chmod(kFile, mode);
            EXPECT_EQ(table.save(kFile), 0);
            EXPECT_EQ(modeOf(kFile), mode);
            EXPECT_EQ(folder.read(kFile), kOldAndNew);
        }
    });
}

TEST_F(PlayerRankingTest, AStaleTemporaryFileThePlayerCannotWriteIsReplaced)
{
    asPlayer([&] {
        folder.write(kFile, kOld);
        folder.write("data/score.txt.new", "half a line fr");
        chmod("data/score.txt.new", 0444);
        loadOldAndInsertNew();
        EXPECT_EQ(table.save(kFile), 0);
        EXPECT_EQ(folder.read(kFile), kOldAndNew);
        EXPECT_EQ(access("data/score.txt.new", F_OK), -1);
    });
}

TEST_F(PlayerRankingTest, LinksAreWrittenThroughAndKept)
{
    namespace fs = std::filesystem;
    fs::create_directory("kept");
    folder.write("kept/ranking.txt", kOld);
    fs::create_symlink("../kept/ranking.txt", kFile);
    loadOldAndInsertNew();
    EXPECT_EQ(table.save(kFile), 0);
    EXPECT_TRUE(fs::is_symlink(kFile));
    EXPECT_EQ(folder.read("kept/ranking.txt"), kOldAndNew);
    EXPECT_FALSE(fs::exists("kept/ranking.txt.new"));

    // A second name of the same file keeps showing it.
    fs::remove(kFile);
    fs::create_hard_link("kept/ranking.txt", kFile);
    table.insert(make("THIRD", 3));
    EXPECT_EQ(table.save(kFile), 0);
    EXPECT_EQ(folder.read("kept/ranking.txt"), "THIRD,3\r\n" + std::string(kOldAndNew));

    // A link to a file not yet there makes it, as the plain overwrite would.
    fs::remove(kFile);
    fs::create_symlink("../kept/later.txt", kFile);
    table.load(kFile);
    table.insert(make("FIRST", 1));
    EXPECT_EQ(table.save(kFile), 0);
    EXPECT_EQ(folder.read("kept/later.txt"), "FIRST,1\r\n");
}

TEST_F(PlayerRankingTest, TheFileThenTheRenameThenTheFolderReachTheDisk)
{
    const std::string data = std::filesystem::canonical("data").string();
    folder.write(kFile, kOld);
    loadOldAndInsertNew();
    SyscallSpy::startLog();
    ASSERT_EQ(table.save(kFile), 0);
    EXPECT_EQ(SyscallSpy::log(), (std::vector<std::string>{"fsync " + data + "/score.txt.new",
                                                           "rename data/score.txt.new data/score.txt",
                                                           "fsync " + data}));
}

TEST_F(PlayerRankingTest, AFailedWriteNamesItsOwnCauseAndKeepsTheOldFile)
{
    folder.write(kFile, kOld);
    loadOldAndInsertNew();
    SyscallSpy::failCall(SyscallSpy::Call::Fsync, 1, EIO);
    SyscallSpy::dirtyErrno();
    testing::internal::CaptureStderr();
    EXPECT_NE(table.save(kFile), 0);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("Input/output error"), std::string::npos) << said;
    EXPECT_EQ(folder.read(kFile), kOld);
    EXPECT_EQ(access("data/score.txt.new", F_OK), -1);
}
