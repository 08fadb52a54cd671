// tessaro-paint FRAME PICTURE [AGAINST]: paints a frame file written by the simulator
// with this build's own device and writes the picture as a portable pixmap. Given a
// picture to hold it against, it also says how far the two are apart, and fails when
// they are not the same picture.

#include "paint/Canvas.h"
#include "paint/PictureComparison.h"
#include "paint/PortablePixmap.h"
#include "platform/Field.h"
#include "platform/record/FrameFile.h"
#include "platform/record/FrameReplayer.h"

#include <cstdio>
#include <cstdlib>

namespace {

int compare(const std::vector<std::uint32_t>& picture, const char* againstPath)
{
    PortablePixmap against;
    if (!against.load(againstPath) || against.width() != field::kWidth || against.height() != field::kHeight) {
        std::fprintf(stderr, "tessaro-paint: %s is not a 640 x 480 picture\n", againstPath);
        return EXIT_FAILURE;
    }
    const PictureComparison comparison(picture, against.pixels(), field::kWidth, field::kHeight);
    std::printf("%ld pixels match nothing within %d a channel at their place or a pixel beside (at most %ld may); "
                "the largest difference in place is %d\n",
                comparison.unmatched(), PictureComparison::kChannelTolerance, comparison.mostUnmatched(),
                comparison.largestDifference());
    return comparison.same() ? EXIT_SUCCESS : EXIT_FAILURE;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: tessaro-paint FRAME PICTURE [AGAINST]\n");
        return 2;
    }
    Canvas canvas;
    if (canvas.device() == nullptr) {
        std::fprintf(stderr, "tessaro-paint: %s\n", canvas.error().c_str());
        return EXIT_FAILURE;
    }
    RecordingDevice textures;
    FrameFile frame;
    std::string error;
    if (!frame.load(argv[1], textures, error)) {
        std::fprintf(stderr, "tessaro-paint: %s\n", error.c_str());
        return EXIT_FAILURE;
    }
    FrameReplayer(textures, *canvas.device()).replay(frame.commands());
    const std::vector<std::uint32_t> picture = canvas.picture();
    if (!PortablePixmap::save(argv[2], field::kWidth, field::kHeight, picture)) {
        std::fprintf(stderr, "tessaro-paint: cannot write %s\n", argv[2]);
        return EXIT_FAILURE;
    }
    return argc == 4 ? compare(picture, argv[3]) : EXIT_SUCCESS;
}
