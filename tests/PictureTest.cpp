// The simulator's pictures of every scene against the committed references in
// tests/pictures. A mismatch leaves the picture taken and a diff image in the
// build's picture-diffs folder; `make update-pictures` replaces the references
// after a deliberate change to the art or the drawing.
#include "TestSupport.h"
#include "platform/libpng/PngWriter.h"
#include "render/PngImage.h"

#include <cstdlib>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

// How far a channel may stray: other drivers round blending and filtering a
// little differently.
constexpr int kChannelTolerance = 4;
// Pixels allowed beyond that, for edges rasterised a pixel over.
constexpr double kStrayShare = 0.001;
// Diff image: a mismatch in full red over the reference darkened to a quarter.
constexpr std::uint32_t kMismatch = 0xFFFF0000u;

int channel(std::uint32_t argb, int shift) { return static_cast<int>((argb >> shift) & 0xFF); }

bool close(std::uint32_t a, std::uint32_t b)
{
    for (int shift = 0; shift < 32; shift += 8)
        if (std::abs(channel(a, shift) - channel(b, shift)) > kChannelTolerance)
            return false;
    return true;
}

std::uint32_t darkened(std::uint32_t argb)
{
    std::uint32_t out = 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8)
        out |= static_cast<std::uint32_t>(channel(argb, shift) / 4) << shift;
    return out;
}

// The number of pixels beyond the tolerance, written into `diff`.
int compare(const PngImage& taken, const PngImage& reference, std::vector<std::uint32_t>& diff)
{
    diff.assign(reference.pixels().size(), 0);
    int stray = 0;
    for (std::size_t i = 0; i < diff.size(); ++i) {
        const bool same = close(taken.pixels()[i], reference.pixels()[i]);
        stray += same ? 0 : 1;
        diff[i] = same ? darkened(reference.pixels()[i]) : kMismatch;
    }
    return stray;
}

}  // namespace

TEST(PictureTest, EverySceneLooksAsItsReference)
{
    const fs::path references = TESSARO_PICTURES;
    const fs::path diffs = TESSARO_PICTURE_DIFFS;
    // Only this run's mismatches are left to look at.
    std::error_code ignored;
    fs::remove_all(diffs, ignored);
    TemporaryFolder folder;
    const std::string command = std::string(TESSARO_SIM " ") + (references / "scenes.sim").string() + " >sim.log 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << folder.read("sim.log");
    int compared = 0;
    for (const auto& file : fs::directory_iterator(references)) {
        if (file.path().extension() != ".png")
            continue;
        const std::string name = file.path().stem().string();
        ++compared;
        PngImage reference;
        PngImage taken;
        ASSERT_TRUE(reference.load(file.path().string())) << name;
        ASSERT_TRUE(taken.load(folder.path() + "/" + name + ".png")) << name << ": the script took no such picture";
        ASSERT_EQ(taken.width(), reference.width()) << name;
        ASSERT_EQ(taken.height(), reference.height()) << name;
        std::vector<std::uint32_t> diff;
        const int stray = compare(taken, reference, diff);
        const int allowed = static_cast<int>(kStrayShare * static_cast<double>(diff.size()));
        if (stray <= allowed)
            continue;
        fs::create_directories(diffs);
        const std::string diffPath = (diffs / (name + "-diff.png")).string();
        const std::string takenPath = (diffs / (name + "-taken.png")).string();
        PngWriter::write(diffPath, reference.width(), reference.height(), diff);
        PngWriter::write(takenPath, taken.width(), taken.height(), taken.pixels());
        ADD_FAILURE() << name << ": " << stray << " pixels differ by more than " << kChannelTolerance
                      << " in a channel (" << allowed << " allowed); see " << diffPath << " and " << takenPath
                      << ". After a deliberate change: make update-pictures";
    }
    EXPECT_GE(compared, 7) << "references missing from " << references << ": make update-pictures";
}
