#include "server/RoundJudge.h"

#include "scenes/NameEntryScene.h"
#include "server/Sha256.h"

#include <cstring>

namespace {

constexpr int kStepMs = 16;
constexpr const char* kNotAReplay = "not a replay";

bool typeable(const char* name)
{
    const std::size_t length = std::strlen(name);
    if (length > static_cast<std::size_t>(NameEntryScene::kNameLength))
        return false;
    for (std::size_t i = 0; i < length; ++i)
        if (!(name[i] == ' ' || (name[i] >= 'A' && name[i] <= 'Z')))
            return false;
    return true;
}

// The first step whose clock trails its steps by more than a real main loop lets it; 0 if none.
int slowClockStep(const Replay& replay)
{
    bool started = false;
    std::uint32_t firstClock = 0;
    std::int64_t firstStep = 0;
    for (std::size_t i = 0; i < replay.steps.size(); ++i) {
        const Replay::Step& step = replay.steps[i];
        if (step.clockReads == 0)
            continue;
        if (!started) {
            started = true;
            firstClock = step.clock[0];
            firstStep = static_cast<std::int64_t>(i);
        }
        const auto elapsed = static_cast<std::int32_t>(step.clock[0] - firstClock);
        const std::int64_t expected = (static_cast<std::int64_t>(i) - firstStep) * kStepMs;
        if (elapsed + RoundJudge::kPaceAllowanceMs < expected)
            return static_cast<int>(i) + 1;
    }
    return 0;
}

bool sameResult(const Replay::Result& a, const Replay::Result& b)
{
    return a.score == b.score && a.comboBonus == b.comboBonus && a.clearBonus == b.clearBonus && a.total == b.total
           && a.endKind == b.endKind;
}

RoundJudge::Judgement refuse(RoundJudge::Verdict verdict, std::string reason)
{
    RoundJudge::Judgement judgement;
    judgement.verdict = verdict;
    judgement.reason = std::move(reason);
    return judgement;
}

// The checks that need no playing; an empty reason when the replay passes them all.
RoundJudge::Judgement screen(const Replay& replay)
{
    using Verdict = RoundJudge::Verdict;
    if (replay.gameVersion != Replay::kGameVersion)
        return refuse(Verdict::OtherVersion, "this replay was recorded by version " + replay.gameVersion
                                                 + " of the game; this server ranks version " + Replay::kGameVersion);
    if (!typeable(replay.result.name))
        return refuse(Verdict::Refused, "its name holds what the name entry cannot type (up to 8 letters A to Z "
                                        "and spaces)");
    if (replay.steps.size() > static_cast<std::size_t>(RoundJudge::kMaxSteps))
        return refuse(Verdict::Refused, "it is longer than a round and ten minutes of its results");
    if (const int step = slowClockStep(replay))
        return refuse(Verdict::Refused, "its clock runs slower than its steps from " + RoundJudge::timeOfStep(step));
    return refuse(Verdict::Verified, "");
}

StoredRound roundToKeep(std::string_view bytes, const Replay& replay)
{
    StoredRound round;
    round.name = replay.typedName();
    round.total = replay.result.total;
    round.score = replay.result.score;
    round.comboBonus = replay.result.comboBonus;
    round.clearBonus = replay.result.clearBonus;
    round.endKind = static_cast<int>(replay.result.endKind);
    round.steps = static_cast<int>(replay.steps.size());
    round.gameVersion = replay.gameVersion;
    round.sha256 = Sha256::hexOf(bytes);
    round.replay = bytes;
    return round;
}

}  // namespace

std::string RoundJudge::timeOfStep(int step)
{
    const int seconds = step * kStepMs / 1000;
    const int units = seconds % 60;
    return std::to_string(seconds / 60) + (units < 10 ? ":0" : ":") + std::to_string(units);
}

RoundJudge::Judgement RoundJudge::judge(std::string_view bytes, ReplayVerifier& verifier)
{
    Replay replay;
    std::string error;
    if (!Replay::decode(bytes, replay, error))
        return refuse(Verdict::NotAReplay, error == kNotAReplay ? error : std::string(kNotAReplay) + ": " + error);
    Judgement judgement = screen(replay);
    judgement.claimedTotal = replay.result.total;
    if (judgement.verdict != Verdict::Verified)
        return judgement;
    const ReplayVerifier::Outcome outcome = verifier.verify(replay);
    judgement.verifiedTotal = outcome.replayed.total;
    if (outcome.departedAt != 0) {
        judgement.verdict = Verdict::Refused;
        judgement.reason = "it departs from its recording at " + timeOfStep(outcome.departedAt);
    } else if (!sameResult(outcome.replayed, replay.result)) {
        judgement.verdict = Verdict::Refused;
        judgement.reason = "it claims a total of " + std::to_string(replay.result.total)
                           + ", but played again it comes to " + std::to_string(outcome.replayed.total);
    } else {
        judgement.round = roundToKeep(bytes, replay);
    }
    return judgement;
}
