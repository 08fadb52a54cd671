#include "TestSupport.h"
#include "platform/PlayerFile.h"
#include "platform/WholeFile.h"
#include "platform/record/FrameFile.h"
#include "platform/record/RecordingDevice.h"
#include "replay/Replay.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>

namespace {

using platform::PlayerFile;

constexpr const char* kFile = "data/file";

class WholeFileTest : public ::testing::Test {
protected:
    // A file of that many bytes that takes no room on the disk.
    void writeSparse(std::size_t size) const
    {
        folder.write(kFile, "");
        std::filesystem::resize_file(kFile, size);
    }

    TemporaryFolder folder{false};
    std::string bytes = "left over";
    std::string why;
};

}  // namespace

TEST_F(WholeFileTest, AFileOfTheLimitIsReadAndOneByteMoreIsRefusedByEveryReader)
{
    writeSparse(kMostWholeFileBytes);
    ASSERT_EQ(readWholeFile(kFile, bytes, why), WholeFile::Read) << why;
    EXPECT_EQ(bytes.size(), kMostWholeFileBytes);

    writeSparse(kMostWholeFileBytes + 1);
    EXPECT_EQ(readWholeFile(kFile, bytes, why), WholeFile::TooLarge);
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(why, std::string(kFile) + " is too large to read");

    bytes = "left over";
    why.clear();
    EXPECT_EQ(PlayerFile::read(kFile, bytes, why), PlayerFile::Read::Failed);
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(why, std::string(kFile) + " is too large to read");

    Replay replay;
    std::string error;
    EXPECT_FALSE(Replay::readFile(kFile, replay, error));
    EXPECT_EQ(error, "too large for a replay");

    RecordingDevice device;
    FrameFile frame;
    EXPECT_FALSE(frame.load(kFile, device, error));
    EXPECT_EQ(error, std::string(kFile) + " is too large to read");
}

TEST_F(WholeFileTest, AMissingFileIsToldApartFromOneThatCannotBeRead)
{
    EXPECT_EQ(readWholeFile("data/none", bytes, why), WholeFile::Missing);
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(PlayerFile::read("data/none", bytes, why), PlayerFile::Read::Missing);
    // A folder on the way that is a file is as missing as the file.
    EXPECT_EQ(PlayerFile::read("data/font.png/inside", bytes, why), PlayerFile::Read::Missing);

    std::filesystem::create_directory(kFile);
    why.clear();
    EXPECT_EQ(readWholeFile(kFile, bytes, why), WholeFile::Folder);
    EXPECT_EQ(why, std::string(kFile) + " is a folder");
    why.clear();
    EXPECT_EQ(PlayerFile::read(kFile, bytes, why), PlayerFile::Read::Failed);
    EXPECT_EQ(why, std::string(kFile) + " is a folder");
}

TEST_F(WholeFileTest, AReplayThatCannotBeReadSaysWhyPlainly)
{
    Replay replay;
    std::string error;
    EXPECT_FALSE(Replay::readFile("data/none", replay, error));
    EXPECT_EQ(error, "does not exist");
    // A file on the way where a folder should be.
    folder.write(kFile, "");
    EXPECT_FALSE(Replay::readFile(std::string(kFile) + "/inside", replay, error));
    EXPECT_EQ(error, "does not exist");
    std::filesystem::remove(kFile);

    std::filesystem::create_directory(kFile);
    EXPECT_FALSE(Replay::readFile(kFile, replay, error));
    EXPECT_EQ(error, "is a folder, not a replay");
    std::filesystem::remove(kFile);

    // A link to itself fails to open for root as well: the system gives its reason.
    std::filesystem::create_symlink("file", kFile);
    EXPECT_FALSE(Replay::readFile(kFile, replay, error));
    EXPECT_EQ(error, "cannot open " + std::string(kFile) + ": " + std::strerror(ELOOP));
}

TEST_F(WholeFileTest, APipeInTheFilesPlaceIsRefusedWithoutWaitingForAWriter)
{
    ASSERT_EQ(mkfifo(kFile, 0600), 0);
    EXPECT_EQ(readWholeFile(kFile, bytes, why), WholeFile::Unreadable);
    EXPECT_EQ(why, std::string(kFile) + " is not a plain file");
    Replay replay;
    std::string error;
    EXPECT_FALSE(Replay::readFile(kFile, replay, error));
    EXPECT_EQ(error, std::string(kFile) + " is not a plain file");
}
