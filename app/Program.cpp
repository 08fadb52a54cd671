#include "app/Program.h"

#include "app/MainLoop.h"
#include "platform/Field.h"
#include "platform/Platform.h"

int Program::run()
{
    using platform::Metric;
    const int width = field::kWidth + 2 * platform::metric(Metric::DialogFrameWidth);
    const int height = field::kHeight + 2 * platform::metric(Metric::DialogFrameHeight)
                       + platform::metric(Metric::CaptionHeight);
    const int x = (platform::metric(Metric::ScreenWidth) - width) / 2;
    const int y = (platform::metric(Metric::ScreenHeight) - height) / 2;
    platform::Window* window = window_.create(x, y, width, height, "Tessaro", &MainWindow::procedure);
    if (application_.initialize(window, *factory_) == 1)
        return 0;
    MainLoop loop;
    loop.run(application_, window_);
    return 0;
}
