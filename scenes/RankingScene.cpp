#include "scenes/RankingScene.h"

#include "render/DeviceSystem.h"
#include "platform/DataFiles.h"

#include <cstdio>

namespace {
struct RowColor {
    int red;
    int green;
    int blue;
};
constexpr RowColor kTopRows[] = {{255, 32, 32}, {255, 64, 64}, {255, 96, 96}};
constexpr RowColor kOtherRows{255, 255, 255};
}  // namespace

int RankingScene::initialize(DeviceSystem* system, int* sceneNumber)
{
    Scene::initialize(system, sceneNumber);
    Device* device = system->device();
    cursor_.initialize(system, system->windowHandle());
    font_.initialize(system, system->windowHandle());
    overlay_.initialize(device);
    return 0;
}

int RankingScene::enter()
{
    stepCounter_ = 0;
    const DataFiles files = DataFiles::ofThisProgram();
    table_.load(files.playerFile(kFile));
    if (session_.result.pending() == 1) {
        ScoreEntry entry;
        std::snprintf(entry.name, sizeof entry.name, "%s", session_.result.name());
        entry.score = session_.result.score();
        table_.insert(entry);
        table_.save(files.playerFileToWrite(kFile));
        pruneReplays();
    }
    fade_ = 255;
    leaving_ = false;
    return 0;
}

void RankingScene::pruneReplays()
{
    std::vector<ReplayStore::Kept> best;
    for (int i = 0; i < kRows && i < table_.count(); ++i)
        best.push_back({table_.entry(i).name, table_.entry(i).score});
    session_.replays.prune(std::move(best));
}

int RankingScene::update()
{
    fade_ -= 2;
    if (!leaving_ && fade_ <= 0) {
        fade_ = 0;
        if (system_->platform().isDown(platform::Key::LeftButton)) {
            leaving_ = true;
            fade_ = 255;
        }
    }
    if (leaving_ && fade_ <= 0)
        *sceneNumber_ = kTitleScene;
    ++stepCounter_;
    return 0;
}

void RankingScene::drawRow(int i)
{
    const RowColor& c = i < 3 ? kTopRows[i] : kOtherRows;
    font_.setColor(c.red, c.green, c.blue);
    const int y = 50 + 42 * i;
    char text[16];
    std::snprintf(text, sizeof text, "%2d", i + 1);
    font_.drawString(10, y, text, 2);
    const ScoreEntry entry = table_.entry(i);
    font_.drawString(70, y, entry.name, 2);
    std::snprintf(text, sizeof text, "%08d", entry.score);
    font_.drawString(400, y, text, 2);
}

int RankingScene::draw()
{
    beginDraw(0xFFFFC040);
    font_.setSpacing(24);
    font_.setColor(255, 32, 32);
    font_.drawString(240, 10, "RANKING", 2);
    for (int i = 0; i < kRows; ++i)
        drawRow(i);
    overlay_.veil(255, 192, 64, leaving_ ? 255 - fade_ : fade_);
    cursor_.updateAndDraw();
    return 0;
}
