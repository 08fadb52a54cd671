#pragma once

#include "render/BitmapFont.h"
#include "render/SolidRect.h"
#include "scenes/Scene.h"
#include "scenes/ScoreTable.h"
#include "scenes/Session.h"
#include "tools/Cursor.h"

// The ten best entries of the ranking file. Entered after a name entry, it first
// adds the new result and saves the file, names the round's replay and prunes the
// replays that are no longer worth keeping.
class RankingScene : public Scene {
public:
    explicit RankingScene(Session& session) : session_(session) {}
    static constexpr const char* kFile = "data/score.txt";
    static constexpr int kRows = 10;

    int initialize(DeviceSystem* system, int* sceneNumber) override;
    int enter() override;
    int update() override;
    int draw() override;

    const ScoreTable& table() const { return table_; }

private:
    void drawRow(int i);
    void pruneReplays();

    Session& session_;
    BitmapFont font_;
    SolidRect overlay_;
    ScoreTable table_;
    Cursor cursor_;
    bool leaving_ = false;
    int fade_ = 255;
};
