#include "app/Program.h"

#include "app/MainLoop.h"
#include "platform/Platform.h"

namespace {
constexpr int kClientWidth = 640;
constexpr int kClientHeight = 480;
}  // namespace

int Program::run()
{
    using platform::Metric;
    const int width = kClientWidth + 2 * platform::metric(Metric::DialogFrameWidth);
    const int height = kClientHeight + 2 * platform::metric(Metric::DialogFrameHeight)
                       + platform::metric(Metric::CaptionHeight);
    const int x = (platform::metric(Metric::ScreenWidth) - width) / 2;
    const int y = (platform::metric(Metric::ScreenHeight) - height) / 2;
    platform::Window* window = window_.create(x, y, width, height, "Tessaro", &MainWindow::procedure);
    if (application_.initialize(window, kClientWidth, kClientHeight, *factory_) == 1)
        return 0;
    MainLoop loop;
    loop.run(application_, window_);
    return 0;
}
