#include "platform/Letterbox.h"

#include "base/Field.h"

namespace platform {

namespace {
constexpr int kClientWidth = field::kWidth;
constexpr int kClientHeight = field::kHeight;

int floorDiv(long long a, long long b) { return static_cast<int>(a >= 0 ? a / b : -((-a + b - 1) / b)); }
int ceilDiv(long long a, long long b) { return static_cast<int>(a >= 0 ? (a + b - 1) / b : -((-a) / b)); }
}  // namespace

Letterbox Letterbox::fit(int outputWidth, int outputHeight)
{
    if (outputWidth <= 0 || outputHeight <= 0)
        return {0, 0, kClientWidth, kClientHeight};
    // Integer arithmetic keeps the picture's aspect exact: width / height = 4 / 3.
    int width = outputWidth;
    int height = outputWidth * kClientHeight / kClientWidth;
    if (height > outputHeight) {
        height = outputHeight;
        width = outputHeight * kClientWidth / kClientHeight;
    }
    return {(outputWidth - width) / 2, (outputHeight - height) / 2, width, height};
}

Point Letterbox::toClient(Point output) const
{
    return {floorDiv(static_cast<long long>(output.x - x) * kClientWidth, width),
            floorDiv(static_cast<long long>(output.y - y) * kClientHeight, height)};
}

Point Letterbox::toOutput(Point client) const
{
    return {x + ceilDiv(static_cast<long long>(client.x) * width, kClientWidth),
            y + ceilDiv(static_cast<long long>(client.y) * height, kClientHeight)};
}

}  // namespace platform
