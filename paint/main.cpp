// tessaro-paint FRAME PICTURE [AGAINST]: paints a frame file written by the simulator
// with this build's own device and writes the picture as a portable pixmap. Given a
// picture to hold it against, it also says how far the two are apart. It exits with 1
// when they are not the same picture, and with 2 when it could not paint or compare.

#include "compare/PictureComparison.h"
#include "paint/Canvas.h"
#include "paint/PortablePixmap.h"
#include "base/Field.h"
#include "platform/record/FrameFile.h"
#include "platform/record/FrameReplayer.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kDifferent = 1;
constexpr int kCannot = 2;

// Two devices drawing one frame. Direct3D 9 leaves it to the implementation which texel
// a point sample taken exactly on the edge between two texels reads, and rounding differs
// in the last bits: a pixel may match one beside, above or below it, within 8 a channel.
// Sharper or softer filtering, or a picture moved by half a pixel, leaves colours that
// neither place has. Where translucent images overlap, each may take its edge texel from
// another side: one pixel in 500 may match nothing. A pixmap keeps no alpha.
constexpr PictureComparison::Tolerance kDevicesAgree{
    .channel = 8, .alpha = false, .reach = 1, .unmatchedPerMille = 2};

int cannot(const std::string& why)
{
    std::fprintf(stderr, "tessaro-paint: %s\n", why.c_str());
    return kCannot;
}

int compare(const std::vector<std::uint32_t>& picture, const char* againstPath)
{
    PortablePixmap against;
    if (!against.load(againstPath) || against.width() != field::kWidth || against.height() != field::kHeight)
        return cannot(std::string(againstPath) + " is not a 640 x 480 picture");
    const PictureComparison comparison(picture, against.pixels(), field::kWidth, field::kHeight, kDevicesAgree);
    std::printf("%ld pixels match nothing within %d a channel at their place or a pixel beside, above or below "
                "(at most %ld may); the largest difference in place is %d\n",
                comparison.unmatched(), kDevicesAgree.channel, comparison.mostUnmatched(),
                comparison.largestDifference());
    return comparison.same() ? EXIT_SUCCESS : kDifferent;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3 && argc != 4)
        return cannot("usage: tessaro-paint FRAME PICTURE [AGAINST]");
    Canvas canvas;
    if (canvas.device() == nullptr)
        return cannot(canvas.error());
    RecordingDevice textures;
    FrameFile frame;
    std::string error;
    if (!frame.load(argv[1], textures, error))
        return cannot(error);
    FrameReplayer(textures, *canvas.device()).replay(frame.commands());
    const std::vector<std::uint32_t> picture = canvas.picture();
    if (picture.size() != static_cast<std::size_t>(field::kWidth) * field::kHeight)
        return cannot("the device's picture could not be read back at 640 x 480");
    if (!PortablePixmap::save(argv[2], field::kWidth, field::kHeight, picture))
        return cannot(std::string("cannot write ") + argv[2]);
    return argc == 4 ? compare(picture, argv[3]) : EXIT_SUCCESS;
}
