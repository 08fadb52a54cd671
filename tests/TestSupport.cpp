#include "TestSupport.h"

#include "platform/DataFiles.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

SimTest::SimTest()
{
    window = mainWindow.create(field::kWidth, field::kHeight, "Tessaro");
    system.initialize(sim, window);
    player = LiveInput(sim, window);
}

std::vector<RecordingDevice::Command> SimTest::drawn()
{
    std::vector<RecordingDevice::Command> fans = device().fans();
    device().forget();
    return fans;
}

int ProbeScene::enter()
{
    log_->push_back("enter " + std::to_string(number_));
    return 0;
}

int ProbeScene::update()
{
    log_->push_back("update " + std::to_string(number_));
    return onUpdate ? onUpdate(*sceneNumber_) : 0;
}

int ProbeScene::draw()
{
    log_->push_back("draw " + std::to_string(number_));
    return 0;
}

std::unique_ptr<Scene> ProbeFactory::create(int number, Session&)
{
    if (number >= scenes_)
        return nullptr;
    auto scene = std::make_unique<ProbeScene>(number, &log);
    probes_[number] = scene.get();
    return scene;
}

TemporaryFolder::TemporaryFolder(bool withImages)
{
    previous_ = fs::current_path().string();
    std::string pattern = (fs::temp_directory_path() / "tessaro-test-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
    const fs::path data = fs::path(path_) / "data";
    fs::create_directory(data);
    if (withImages) {
        for (const auto& image : fs::directory_iterator(TESSARO_DATA_DIR))
            if (image.path().extension() == ".png")
                fs::copy_file(image.path(), data / image.path().filename());
    } else {
        for (const char* image : DataFiles::kImagesThatMarkIt)
            fs::copy_file(fs::path(TESSARO_DATA_DIR) / image, data / image);
    }
    fs::current_path(path_);
}

TemporaryFolder::~TemporaryFolder()
{
    fs::current_path(previous_);
    std::error_code ignored;
    fs::permissions(fs::path(path_) / "data", fs::perms::owner_all, ignored);
    fs::remove_all(path_, ignored);
}

std::string TemporaryFolder::read(const std::string& file) const
{
    std::ifstream in(fs::path(path_) / file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void TemporaryFolder::write(const std::string& file, const std::string& content) const
{
    std::ofstream(fs::path(path_) / file, std::ios::binary) << content;
}
