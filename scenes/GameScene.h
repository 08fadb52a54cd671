#pragma once

#include "play/StageController.h"
#include "replay/Replay.h"
#include "tools/LiveInput.h"
#include "replay/RecordingInput.h"
#include "replay/ReplayingInput.h"
#include "render/BitmapFont.h"
#include "render/SolidRect.h"
#include "render/Sprite.h"
#include "scenes/Scene.h"
#include "scenes/Session.h"
#include "tools/Base.h"
#include "tools/Bomb.h"
#include "tools/ComboCounter.h"
#include "tools/Cursor.h"
#include "tools/FlashEffect.h"
#include "tools/HpGauge.h"
#include "tools/InfoPanel.h"

// One round: play until the base falls or the clock runs out, then the results,
// a click, a fade, and the name entry. Every round is recorded and kept as a replay,
// unless it is itself a replay being played again.
class GameScene : public Scene {
public:
    explicit GameScene(Session& session) : session_(session) {}

    int initialize(DeviceSystem* system, int* sceneNumber) override;
    int enter() override;
    int update() override;
    int draw() override;

    // The next round plays this replay again instead of reading the player; it must
    // outlive that round.
    void playBack(const Replay* replay) { toPlay_ = replay; }
    // How the round being played again, or the last one, followed its recording.
    const ReplayingInput& replayed() const { return player_; }
    // Everything a difference between two builds would show in, in 32 bits.
    std::uint32_t stateChecksum() const;

    EndKind endKind() const { return endKind_; }
    int resultPhase() const { return resultPhase_; }
    int resultCounter() const { return resultCounter_; }
    int comboBonus() const { return comboBonus_; }
    int clearBonus() const { return clearBonus_; }
    int total() const { return total_; }
    const InfoPanel& panel() const { return panel_; }
    const Base& base() const { return base_; }
    const Bomb& bomb() const { return bomb_; }
    const ComboCounter& combo() const { return combo_; }
    const FlashEffect& flashes() const { return flashes_; }
    const StageController& stage() const { return stage_; }

private:
    void decideEnd(int secondsLeft, double hitPoints);
    void play(int secondsLeft);
    void explode();
    void runResults(double hitPoints);
    void computeResults(double hitPoints);
    void drawResults();
    Replay::Carry carry() const;
    void startRound();
    void finishStep();
    // Where the round reads the player from: live, recorded, or a replay.
    RoundInput& input();

    Session& session_;
    Sprite background_;
    Bomb bomb_;
    Base base_;
    BitmapFont font_;
    InfoPanel panel_;
    StageController stage_;
    SolidRect overlay_;
    Cursor cursor_;
    HpGauge gauge_;
    ComboCounter combo_;
    FlashEffect flashes_;

    EndKind endKind_ = EndKind::Playing;
    int destruction_ = 0;
    int resultPhase_ = 0;
    int resultCounter_ = 0;
    int comboBonus_ = 0;
    int clearBonus_ = 0;
    int total_ = 0;
    int startFade_ = 255;
    char scoreText_[16] = {};
    char comboBonusText_[16] = {};
    char clearBonusText_[16] = {};
    char totalText_[16] = {};

    enum class Source { Live, Recording, Replaying };
    Source source_ = Source::Live;
    LiveInput live_;
    RecordingInput recorder_{live_};
    ReplayingInput player_;
    int roundSteps_ = 0;
    Replay recording_;
    const Replay* toPlay_ = nullptr;
};
