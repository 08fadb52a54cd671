#include "replay/Replay.h"
#include "verify/ReplayVerifier.h"

#include <cstdio>
#include <string>

// tessaro-verify FILE...: plays each replay again and prints its recorded and its
// replayed total. Exit 0 only when every file agrees.
int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: tessaro-verify FILE...\n");
        return 2;
    }
    ReplayVerifier verifier;
    int failures = 0;
    for (int i = 1; i < argc; ++i) {
        Replay replay;
        std::string error;
        if (!Replay::readFile(argv[i], replay, error)) {
            std::printf("%s: error: %s\n", argv[i], error.c_str());
            ++failures;
            continue;
        }
        const ReplayVerifier::Outcome outcome = verifier.verify(replay);
        std::printf("%s: recorded total %d, replayed total %d", argv[i], outcome.recordedTotal, outcome.replayedTotal);
        if (outcome.agrees()) {
            std::printf(": agrees\n");
        } else {
            std::printf(": DIFFERS, departs from its recording by step %d\n", outcome.departedAt);
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
