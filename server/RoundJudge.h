#pragma once

#include "server/StoredRound.h"
#include "verify/ReplayVerifier.h"

#include <string>
#include <string_view>

// Decides whether a replay's bytes are a round this server ranks: this game's version, a
// name the name entry can type, a clock that keeps pace with the steps, and a round that
// plays again to every checksum and the result it claims.
class RoundJudge {
public:
    enum class Verdict { Verified, NotAReplay, OtherVersion, Refused };

    // A round at most this long is played again: the round's three minutes, then ten
    // minutes of its result screen waiting for a click.
    static constexpr int kMaxSteps = (180 + 600) * 1000 / 16;
    // How far a real main loop's clock can trail its steps: the catch-up's five steps,
    // and the one in hand.
    static constexpr int kPaceAllowanceMs = 6 * 16;

    struct Judgement {
        Verdict verdict = Verdict::NotAReplay;
        // Why it is not ranked, in words a player can read.
        std::string reason;
        int claimedTotal = 0;
        int verifiedTotal = 0;
        // The round to keep, when verified: everything but its id, time and sender.
        StoredRound round;
    };

    // `verifier` is this thread's own.
    static Judgement judge(std::string_view bytes, ReplayVerifier& verifier);

    // "0:42": the time into the round of a step.
    static std::string timeOfStep(int step);
};
