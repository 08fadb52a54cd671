#include "app/Program.h"

#include "app/MainLoop.h"
#include "platform/DataFiles.h"
#include "base/Field.h"
#include "platform/Platform.h"

#include <filesystem>
#include <string>
#include <system_error>

namespace {
// Where the images were looked for, and what to do.
std::string missingImages(const DataFiles& files)
{
    const std::string folder = files.imagesFolder();
    std::error_code unknown;
    const std::string here = (std::filesystem::current_path(unknown) / "data").string();
    const std::string where = folder == "data" ? "not in " + here : "in neither " + here + " nor " + folder;
    return "the game's images are " + where
           + ": start the game in the folder it was built or unpacked in, or install it again";
}
}  // namespace

int Program::run()
{
    const DataFiles files = DataFiles::ofThisProgram();
    if (!files.imagesPresent()) {
        platform_.showError(missingImages(files).c_str());
        return kCannotStart;
    }
    platform::Window* window = window_.create(field::kWidth, field::kHeight, title_.c_str());
    // The platform has said what it could not make.
    if (window == nullptr || application_.initialize(platform_, window, *factory_) == 1)
        return kCannotStart;
    MainLoop loop(platform_);
    loop.run(application_, window_);
    return 0;
}
