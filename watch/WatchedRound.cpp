#include "watch/WatchedRound.h"

#include "scenes/WatchScene.h"

namespace {

constexpr char kFirstPrintable = ' ';
constexpr char kLastPrintable = '~';
constexpr char kUnprintable = '?';

// A file's name bytes are anything: what reaches a title or a terminal is plain ASCII.
char printable(char c) { return c >= kFirstPrintable && c <= kLastPrintable ? c : kUnprintable; }

// How the round shown ended, with its total.
std::string outcome(const GameScene& round)
{
    if (round.endKind() == EndKind::Playing)
        return "the replay ran out before the round ended";
    return std::string(endKindName(round.endKind())) + ", total " + std::to_string(round.total());
}

// A build that plays the round differently shows another round than was recorded.
std::string departure(const GameScene& round, int recordedTotal)
{
    const int step = round.replayed().departedAt();
    if (step == 0)
        return "";
    return " (not as recorded: it departs from its recording at step " + std::to_string(step) + "; recorded total "
           + std::to_string(recordedTotal) + ")";
}

}  // namespace

std::string WatchedRound::playerName() const
{
    std::string name = replay.typedName();
    for (char& c : name)
        c = printable(c);
    return name.empty() ? "no name" : name;
}

std::string WatchedRound::windowTitle() const
{
    const std::string title = "Tessaro replay: " + playerName();
    return standing.empty() ? title : title + " (" + standing + ")";
}

std::string WatchedRound::ending(const WatchScene& scene) const
{
    const std::string who = playerName() + ": ";
    if (!scene.finished())
        return who + "stopped early";
    return who + outcome(scene.round()) + departure(scene.round(), replay.result.total);
}
