#include "replay/Replay.h"
#include "verify/ReplayVerifier.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr int kAllAgree = 0;
constexpr int kSomeFailed = 1;
constexpr int kUsageError = 2;

constexpr const char* kUsage = "usage: tessaro-verify FILE...\n";

bool asksForHelp(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0)
            return true;
    }
    return false;
}

void printHelp()
{
    std::printf("%s", kUsage);
    std::printf("Plays each replay again without a window and prints its recorded and its replayed "
                "total; exits with 0 only when every file agrees.\n");
}

// True when the file is a replay that plays again to the total it was recorded with.
bool verifyFile(ReplayVerifier& verifier, const char* path)
{
    Replay replay;
    std::string error;
    if (!Replay::readFile(path, replay, error)) {
        std::printf("%s: error: %s\n", path, error.c_str());
        return false;
    }
    const ReplayVerifier::Outcome outcome = verifier.verify(replay);
    std::printf("%s: recorded total %d, replayed total %d", path, outcome.recordedTotal, outcome.replayed.total);
    if (!outcome.agrees()) {
        std::printf(": DIFFERS, departs from its recording by step %d\n", outcome.departedAt);
        return false;
    }
    std::printf(": agrees\n");
    return true;
}

}  // namespace

// tessaro-verify FILE...: plays each replay again and prints its recorded and its
// replayed total.
int main(int argc, char** argv)
{
    if (asksForHelp(argc, argv)) {
        printHelp();
        return kAllAgree;
    }
    if (argc < 2) {
        std::fprintf(stderr, "%s", kUsage);
        return kUsageError;
    }
    ReplayVerifier verifier;
    int failures = 0;
    for (int i = 1; i < argc; ++i) {
        if (!verifyFile(verifier, argv[i]))
            ++failures;
    }
    return failures == 0 ? kAllAgree : kSomeFailed;
}
