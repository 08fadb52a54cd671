// The simulator's pictures of every scene against the committed references in
// tests/pictures. A mismatch leaves the picture taken and a diff image in the
// build's picture-diffs folder; `make update-pictures` replaces the references
// after a deliberate change to the art or the drawing.
#include "TestSupport.h"
#include "compare/PictureComparison.h"
#include "platform/libpng/PngWriter.h"
#include "render/PngImage.h"

#include <cstdlib>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

// Other drivers round blending and filtering a little differently: a channel may stray
// by 4, and one pixel in a thousand further, for edges rasterised a pixel over.
constexpr PictureComparison::Tolerance kLikeItsReference{
    .channel = 4, .alpha = true, .reach = 0, .unmatchedPerMille = 1};
// Diff image: a mismatch in full red over the reference darkened to a quarter.
constexpr std::uint32_t kMismatch = 0xFFFF0000u;

std::uint32_t darkened(std::uint32_t argb)
{
    std::uint32_t out = 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8)
        out |= (((argb >> shift) & 0xFFu) / 4) << shift;
    return out;
}

std::vector<std::uint32_t> diffImage(const PictureComparison& comparison, const PngImage& reference)
{
    std::vector<std::uint32_t> diff(reference.pixels().size());
    for (std::size_t i = 0; i < diff.size(); ++i)
        diff[i] = comparison.unmatchedAt(i) ? kMismatch : darkened(reference.pixels()[i]);
    return diff;
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
        const PictureComparison comparison(taken.pixels(), reference.pixels(), reference.width(),
                                           reference.height(), kLikeItsReference);
        if (comparison.same())
            continue;
        fs::create_directories(diffs);
        const std::string diffPath = (diffs / (name + "-diff.png")).string();
        const std::string takenPath = (diffs / (name + "-taken.png")).string();
        PngWriter::write(diffPath, reference.width(), reference.height(), diffImage(comparison, reference));
        PngWriter::write(takenPath, taken.width(), taken.height(), taken.pixels());
        ADD_FAILURE() << name << ": " << comparison.unmatched() << " pixels differ by more than "
                      << kLikeItsReference.channel << " in a channel (" << comparison.mostUnmatched()
                      << " allowed); see " << diffPath << " and " << takenPath
                      << ". After a deliberate change: make update-pictures";
    }
    EXPECT_GE(compared, 7) << "references missing from " << references << ": make update-pictures";
}
