#include "scenes/GameScene.h"

#include "render/DeviceSystem.h"
#include "base/Field.h"
#include "replay/Checksum.h"

#include <cstdio>

namespace {
constexpr int kDestructionSteps = 180;
constexpr int kFadeInSteps = 192;

void formatNumber(char (&text)[16], int value) { std::snprintf(text, sizeof text, "%08d", value); }
}  // namespace

int GameScene::initialize(DeviceSystem* system, int* sceneNumber)
{
    Scene::initialize(system, sceneNumber);
    Device* device = system->device();
    platform::Window* window = system->windowHandle();
    live_ = LiveInput(system->platform(), window);
    bomb_.initialize(system, window);
    base_.initialize(system, window);
    panel_.initialize(system, window);
    flashes_.initialize(system, &session_.world.random);
    combo_.initialize(system);
    cursor_.initialize(system, window);
    gauge_.initialize(system);
    stage_.initialize(system, &session_.world, &bomb_, &base_);
    font_.initialize(system, window);
    background_.load(device, "data/bg.png");
    background_.setTextureSize(512, 512);
    overlay_.initialize(device);
    return 0;
}

Replay::Carry GameScene::carry() const
{
    Replay::Carry carry;
    carry.randomState = session_.world.random.state();
    carry.wandererCounter = session_.world.wandererSteps;
    carry.spawnTimer = stage_.spawnTimer();
    carry.gaugeBlink = gauge_.blink();
    carry.gaugeBlinkFalling = gauge_.blinkFalling();
    return carry;
}

// A replayed round starts from what its recording inherited; any other is recorded
// from what this one inherits. Until this round's replay is kept, a name typed
// belongs to no file: not to the replay of the round before.
void GameScene::startRound()
{
    session_.replays.forgetLastRound();
    roundSteps_ = 0;
    if (toPlay_ == nullptr) {
        recorder_.start(&recording_, carry());
        source_ = Source::Recording;
        return;
    }
    const Replay::Carry& from = toPlay_->carry;
    session_.world.random.seed(from.randomState);
    session_.world.wandererSteps = from.wandererCounter;
    stage_.setSpawnTimer(from.spawnTimer);
    gauge_.setBlink(from.gaugeBlink, from.gaugeBlinkFalling);
    player_.start(toPlay_);
    source_ = Source::Replaying;
    toPlay_ = nullptr;
}

RoundInput& GameScene::input()
{
    switch (source_) {
    case Source::Recording: return recorder_;
    case Source::Replaying: return player_;
    case Source::Live: break;
    }
    return live_;
}

int GameScene::enter()
{
    startRound();
    panel_.reset(input());
    base_.reset(field::kCentreX, field::kCentreY);
    bomb_.reset(field::kCentreX, field::kCentreY);
    stage_.clear();
    gauge_.reset();
    endKind_ = EndKind::Playing;
    destruction_ = 0;
    resultPhase_ = 0;
    resultCounter_ = 0;
    comboBonus_ = clearBonus_ = total_ = 0;
    combo_.reset();
    startFade_ = 255;
    flashes_.clear();
    return 0;
}

void GameScene::decideEnd(int secondsLeft, double hitPoints)
{
    if (hitPoints <= 0) {
        if (endKind_ == EndKind::Playing)
            destruction_ = kDestructionSteps;
        endKind_ = EndKind::BaseDestroyed;
    } else if (secondsLeft <= 0) {
        endKind_ = EndKind::TimeUp;
    }
}

void GameScene::play(int secondsLeft)
{
    panel_.update(input());
    base_.update();
    bomb_.update(input());
    const HitsAndPoints finished = stage_.update(secondsLeft);
    combo_.addHits(finished.hits);
    // The combo after this step's kills already multiplies their points.
    panel_.addScore(combo_.multiplied(finished.points));
    if (startFade_ > 0)
        --startFade_;
}

void GameScene::explode()
{
    --destruction_;
    flashes_.update();
    if (destruction_ > 60 && destruction_ % 5 == 0) {
        const double dy = session_.world.random.range(-64, 64);
        const double dx = session_.world.random.range(-64, 64);
        flashes_.spawn(field::kCentreX + dx, field::kCentreY + dy);
    }
}

void GameScene::computeResults(double hitPoints)
{
    comboBonus_ = combo_.maxCombo() * 1000;
    // Nothing for a fallen base; the base's points and 50000 for a round played out.
    const int clear = endKind_ == EndKind::TimeUp ? 1 : 0;
    clearBonus_ = static_cast<int>(hitPoints * 1000 * clear + clear * 50000);
    total_ = panel_.score() + clearBonus_ + comboBonus_;
    formatNumber(comboBonusText_, comboBonus_);
    formatNumber(clearBonusText_, clearBonus_);
    formatNumber(totalText_, total_);
    formatNumber(scoreText_, panel_.score());
}

void GameScene::runResults(double hitPoints)
{
    switch (resultPhase_) {
    case 0:
        if (++resultCounter_ == kFadeInSteps) {
            resultCounter_ = 0;
            resultPhase_ = 1;
            computeResults(hitPoints);
        }
        break;
    case 1:
        if (resultCounter_ < 255)
            ++resultCounter_;
        // Checked only once the texts are fully shown: a held button cannot skip them.
        if (resultCounter_ == 255 && input().buttonDown()) {
            resultPhase_ = 2;
            resultCounter_ = 0;
        }
        break;
    default:
        resultCounter_ += 2;
        if (resultCounter_ >= 255) {
            resultCounter_ = 255;
            session_.result.setScore(total_);
            *sceneNumber_ = kNameEntryScene;
        }
        break;
    }
}

std::uint32_t GameScene::stateChecksum() const
{
    Checksum sum;
    sum.add(session_.world.random.state());
    sum.add(panel_.timeLeft());
    sum.add(panel_.score());
    sum.add(panel_.pending());
    sum.add(combo_.count());
    sum.add(combo_.maxCombo());
    sum.add(base_.hitPoints());
    sum.add(bomb_.x());
    sum.add(bomb_.y());
    sum.add(bomb_.velocityX());
    sum.add(bomb_.velocityY());
    sum.add(stage_.spawnTimer());
    for (int type = 0; type < StageController::kKinds; ++type) {
        for (const EnemyKind* kind = &stage_.kind(static_cast<EnemyType>(type)); kind != nullptr; kind = kind->children()) {
            for (const std::unique_ptr<Enemy>& e : kind->enemies()) {
                sum.add(e->x());
                sum.add(e->y());
                sum.add(e->hitPoints());
            }
        }
    }
    return sum.value();
}

// Once the total is handed over, the round's replay is complete.
void GameScene::finishStep()
{
    const bool checkpointDue = ++roundSteps_ % Replay::kChecksumInterval == 0;
    if (source_ == Source::Recording) {
        if (!recorder_.finishStep())
            source_ = Source::Live;
        else if (checkpointDue)
            recorder_.checkpoint(stateChecksum());
    } else if (source_ == Source::Replaying) {
        player_.finishStep();
        if (checkpointDue)
            player_.checkpoint(stateChecksum());
    }
    if (*sceneNumber_ == kGameScene || source_ == Source::Live)
        return;
    if (source_ == Source::Recording) {
        recording_.result = Replay::Result{panel_.score(), comboBonus_, clearBonus_, total_, endKind_, {}};
        session_.replays.saveRound(recording_);
    }
    source_ = Source::Live;
}

int GameScene::update()
{
    const int secondsLeft = panel_.timeLeft();
    gauge_.update();
    const double hitPoints = base_.hitPoints();
    decideEnd(secondsLeft, hitPoints);
    if (endKind_ == EndKind::Playing)
        play(secondsLeft);
    else if (destruction_ != 0)
        explode();
    else
        runResults(hitPoints);
    finishStep();
    return 0;
}

void GameScene::drawResults()
{
    int titleAlpha = 255;
    if (resultPhase_ == 0) {
        overlay_.veil(0, 0, 0, resultCounter_);
        titleAlpha = static_cast<int>(resultCounter_ * (1.0 / 192) * 255);
    } else {
        overlay_.veil(0, 0, 0, 192);
        font_.setSpacing(24);
        font_.setAlpha(resultPhase_ == 1 ? resultCounter_ : 255);
        font_.drawString(188, 140, "YOUR  SCORE", 0);
        font_.drawString(80, 190, "SCORE", 0);
        font_.drawString(400, 190, scoreText_, 0);
        font_.drawString(80, 230, "COMBO BONUS", 0);
        font_.drawString(400, 230, comboBonusText_, 0);
        font_.drawString(80, 270, "CLEAR BONUS", 0);
        font_.drawString(400, 270, clearBonusText_, 0);
        font_.drawString(80, 320, "TOTAL", 0);
        font_.drawString(400, 320, totalText_, 0);
    }
    font_.setSpacing(24);
    font_.setAlpha(titleAlpha);
    font_.drawString(200, 70, endKind_ == EndKind::BaseDestroyed ? "GAME OVER" : "TIME OVER", 1);
    if (resultPhase_ == 2)
        overlay_.veil(0, 0, 0, resultCounter_);
}

int GameScene::draw()
{
    beginDraw(0xFF10C010);
    background_.setAlpha(255);
    background_.drawWhole(64, -16, 0, 512, 512);
    base_.draw();
    stage_.draw();
    bomb_.draw();
    flashes_.draw();
    panel_.draw();
    combo_.draw();
    gauge_.draw(500, 390, static_cast<int>(base_.hitPoints()));
    if (endKind_ != EndKind::Playing)
        drawResults();
    if (startFade_ > 0)
        overlay_.veil(0, 0, 0, startFade_);
    // A watched round shows the recorded pointer; a played one, the player's as it is.
    cursor_.updateAndDraw(source_ == Source::Replaying ? static_cast<RoundInput&>(player_) : live_);
    return 0;
}
