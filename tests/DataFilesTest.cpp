#include "TestSupport.h"
#include "platform/DataFiles.h"
#include "scenes/RankingScene.h"

#include <cstdlib>
#include <filesystem>
#include <optional>

namespace fs = std::filesystem;

namespace {

// Sets an environment variable for the life of the object, then puts the old value back.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        if (value != nullptr)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedVariable()
    {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

// A working folder like the one a launcher starts the installed game in: no data/.
class InstalledTest : public ::testing::Test {
protected:
    InstalledTest() { fs::remove_all(fs::path(folder.path()) / "data"); }

    fs::path at(const char* name) const { return fs::path(folder.path()) / name; }

    TemporaryFolder folder{false};
    const DataFiles files{at("images"), at("player")};
};

}  // namespace

TEST(DataFilesTest, AWorkingFolderWithDataKeepsEveryNameAsItIs)
{
    TemporaryFolder folder(false);
    const DataFiles files("/nowhere/images", "/nowhere/player");
    EXPECT_EQ(files.image("data/font.png"), "data/font.png");
    EXPECT_EQ(files.playerFile("data/score.txt"), "data/score.txt");
    EXPECT_EQ(files.playerFileToWrite("data/replays/1.txt"), "data/replays/1.txt");
    EXPECT_FALSE(fs::exists("/nowhere"));
}

TEST_F(InstalledTest, ImagesComeFromTheInstalledFolderAndThePlayersFilesFromTheirs)
{
    EXPECT_EQ(files.image("data/font.png"), at("images/font.png").string());
    EXPECT_EQ(files.playerFile("data/score.txt"), at("player/score.txt").string());
    // Reading makes nothing; the folder appears with the first file written.
    EXPECT_FALSE(fs::exists(at("player")));
    EXPECT_EQ(files.playerFileToWrite("data/replays/1.txt"), at("player/replays/1.txt").string());
    EXPECT_TRUE(fs::is_directory(at("player/replays")));
    EXPECT_EQ(fs::status(at("player")).permissions(), fs::perms::owner_all);
    // Other names, and kinds with no folder, stay as they are.
    EXPECT_EQ(files.image("good.png"), "good.png");
    EXPECT_EQ(DataFiles({}, {}).playerFileToWrite("data/score.txt"), "data/score.txt");
}

TEST_F(InstalledTest, ADataFolderOfSomebodyElsesIsLeftAlone)
{
    fs::create_directory(at("data"));
    folder.write("data/measurements.csv", "1,2\n");
    EXPECT_EQ(files.image("data/font.png"), at("images/font.png").string());
    EXPECT_EQ(files.playerFileToWrite("data/score.txt"), at("player/score.txt").string());
    EXPECT_EQ(std::distance(fs::directory_iterator(at("data")), fs::directory_iterator()), 1);
    // No images anywhere is told, with the folder they were looked for in.
    EXPECT_FALSE(files.imagesPresent());
    EXPECT_EQ(files.imagesFolder(), at("images").string());
    fs::create_directory(at("images"));
    for (const char* image : DataFiles::kImagesThatMarkIt)
        fs::copy_file(fs::path(TESSARO_DATA_DIR) / image, at("images") / image);
    EXPECT_TRUE(files.imagesPresent());
    // Once it holds the game's images, the working folder's data/ is the game's again.
    fs::rename(at("images"), at("data/images"));
    for (const char* image : DataFiles::kImagesThatMarkIt)
        fs::rename(at("data/images") / image, at("data") / image);
    EXPECT_EQ(files.image("data/font.png"), "data/font.png");
    EXPECT_EQ(files.imagesFolder(), "data");
    EXPECT_TRUE(files.imagesPresent());
}

TEST_F(InstalledTest, APlayersFolderThatCannotBeUsedIsReportedAndTheGameGoesOn)
{
    // A folder that is a link to itself can neither be looked into nor made.
    fs::create_directory_symlink("player", at("player"));
    testing::internal::CaptureStderr();
    EXPECT_EQ(files.playerFile("data/score.txt"), at("player/score.txt").string());
    EXPECT_EQ(files.playerFileToWrite("data/score.txt"), at("player/score.txt").string());
    const std::string reported = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(reported.begin(), reported.end(), '\n'), 2) << reported;
    EXPECT_NE(reported.find(at("player").string()), std::string::npos) << reported;

    // A plain file where the folder should be.
    const DataFiles blocked(at("images"), at("blocked/player"));
    folder.write("blocked", "");
    testing::internal::CaptureStderr();
    blocked.playerFileToWrite("data/score.txt");
    EXPECT_NE(testing::internal::GetCapturedStderr(), "");
}

TEST_F(InstalledTest, ThePlayersFolderFollowsXdgDataHomeThenHome)
{
    {
        ScopedVariable dataHome("XDG_DATA_HOME", at("xdg").c_str());
        EXPECT_EQ(DataFiles::ofThisProgram().playerFile("data/score.txt"), at("xdg/tessaro/score.txt").string());
    }
    ScopedVariable home("HOME", folder.path().c_str());
    for (const char* ignored : {"", "relative/path"}) {
        ScopedVariable dataHome("XDG_DATA_HOME", ignored);
        EXPECT_EQ(DataFiles::ofThisProgram().playerFile("data/score.txt"),
                  at(".local/share/tessaro/score.txt").string());
    }
    // The images lie where the program's installed layout puts them.
    const fs::path image = DataFiles::ofThisProgram().image("data/font.png");
    EXPECT_TRUE(image.is_absolute());
    EXPECT_EQ(image.parent_path().filename(), "tessaro");
    EXPECT_EQ(image.filename(), "font.png");
}

class InstalledRankingTest : public SimTest {
protected:
    InstalledRankingTest() { fs::remove_all(fs::path(folder.path()) / "data"); }

    TemporaryFolder folder{false};
    ScopedVariable dataHome{"XDG_DATA_HOME", (folder.path() + "/xdg").c_str()};
};

TEST_F(InstalledRankingTest, TheRankingIsSavedInThePlayersFolderAndReadBackFromIt)
{
    int number = kRankingScene;
    RankingScene scene{session};
    scene.initialize(&system, &number);
    SharedResult& result = session.result;
    result.setName("AB      ");
    result.setScore(1234);
    result.setPending(1);
    scene.enter();
    EXPECT_EQ(folder.read("xdg/tessaro/score.txt"), "AB      ,1234\r\n");
    EXPECT_FALSE(fs::exists(fs::path(folder.path()) / "data"));
    result.setPending(0);
    scene.enter();
    EXPECT_EQ(scene.table().count(), 1);
}
