#include "tests/soak/SoakScript.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kFadeSteps = 130;  // the name entry's and the ranking's opening fades, and a little
constexpr int kIntroPageSteps = 70;
constexpr int kIntroPages = 3;
// Where the title's menu and question are answered.
constexpr int kMenuX = 300;
constexpr int kStartY = 260;
constexpr int kRankingY = 320;
constexpr int kYesY = 320;
constexpr int kNoY = 380;
// Above every item of the title, where a press does nothing.
constexpr int kTitleQuietBottom = 230;
constexpr int kBombX = 320;
constexpr int kBombY = 240;
// The name entry's keys: rows of ten letters, then the space and delete keys on the
// last row; a click goes to the middle of a key.
constexpr int kLetters = 26;
constexpr int kSpaceKey = 26;
constexpr int kDeleteKey = 27;
constexpr int kLettersPerRow = 10;
constexpr int kLetterLeft = 86;
constexpr int kLetterTop = 150;
constexpr int kLetterAcross = 50;
constexpr int kLetterDown = 70;
constexpr int kSpaceKeyX = 386;
constexpr int kDeleteKeyX = 436;
constexpr int kLastRowY = 290;
constexpr int kKeyMiddle = 16;
constexpr int kOkX = 320;
constexpr int kOkY = 415;
// A round lasts at most 180 seconds; the result and its click come after.
constexpr int kRoundSteps = 20000;
constexpr int kSceneSteps = 400;

}  // namespace

SoakScript::SoakScript(unsigned seed) : random_(seed)
{
    add("seed " + std::to_string(seed));
    add("answer no");
}

int SoakScript::pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

bool SoakScript::chance(int percent) { return pick(1, 100) <= percent; }

void SoakScript::add(const std::string& line) { text_ += line + "\n"; }

// Scenes that act once per press want the button seen up between two clicks.
void SoakScript::click(int x, int y)
{
    add("click " + std::to_string(x) + " " + std::to_string(y));
    add("steps 2");
}

void SoakScript::wander(int actions, bool pressing)
{
    for (int i = 0; i < actions; ++i) {
        add("move " + std::to_string(pick(0, kWidth - 1)) + " " + std::to_string(pick(0, kHeight - 1)));
        if (pressing && chance(30))
            add(chance(50) ? "down" : "up");
        add("steps " + std::to_string(pick(0, 40)));
        if (chance(5))
            shot();
    }
    add("up");
}

void SoakScript::shot()
{
    shots_.push_back("shot-" + std::to_string(shots_.size()) + ".png");
    add("shot " + shots_.back());
}

void SoakScript::title()
{
    wander(pick(0, 6), false);
    // Presses only where no item is: the menu acts on a button held over it.
    for (int i = pick(0, 3); i > 0; --i) {
        add("move " + std::to_string(pick(0, kWidth - 1)) + " " + std::to_string(pick(0, kTitleQuietBottom)));
        add("down");
        add("steps " + std::to_string(pick(1, 20)));
        add("up");
    }
}

void SoakScript::lookAtRanking()
{
    click(kMenuX, kRankingY);
    add("until scene 2 max " + std::to_string(kSceneSteps));
    add("state");
    ranking();
    title();
}

void SoakScript::fling()
{
    add("move " + std::to_string(kBombX) + " " + std::to_string(kBombY));
    add("down");
    add("steps 1");
    add("move " + std::to_string(pick(0, kWidth - 1)) + " " + std::to_string(pick(0, kHeight - 1)));
    add("steps " + std::to_string(pick(1, 3)));
    add("up");
    add("steps " + std::to_string(pick(20, 400)));
}

void SoakScript::round()
{
    click(kMenuX, kStartY);
    const bool intro = chance(30);
    click(kMenuX, intro ? kYesY : kNoY);
    if (intro) {
        add("until scene 3 max " + std::to_string(kSceneSteps));
        for (int page = 0; page < kIntroPages; ++page) {
            add("steps " + std::to_string(kIntroPageSteps + pick(0, 30)));
            click(pick(0, kWidth - 1), pick(0, kHeight - 1));
        }
    }
    add("until scene 4 max " + std::to_string(kSceneSteps));
    add("state");
    for (int i = pick(0, 25); i > 0; --i) {
        if (chance(60))
            fling();
        else
            wander(pick(1, 5), true);
        if (chance(10))
            add("state");
    }
    // Held from a corner until the result has been shown and clicked away.
    add("move 2 2");
    add("down");
    add("until scene 1 max " + std::to_string(kRoundSteps));
    add("up");
}

void SoakScript::nameEntry()
{
    add("steps " + std::to_string(kFadeSteps));
    for (int i = pick(0, 12); i > 0; --i) {
        const int key = pick(0, kDeleteKey);
        if (key < kLetters)
            click(kLetterLeft + kLetterAcross * (key % kLettersPerRow) + kKeyMiddle,
                  kLetterTop + kLetterDown * (key / kLettersPerRow) + kKeyMiddle);
        else
            click((key == kSpaceKey ? kSpaceKeyX : kDeleteKeyX) + kKeyMiddle, kLastRowY + kKeyMiddle);
        if (chance(10))
            shot();
    }
    if (chance(30))
        wander(pick(1, 4), false);
    click(kOkX, kOkY);
    add("until scene 2 max " + std::to_string(kSceneSteps));
    add("state");
}

void SoakScript::ranking()
{
    add("steps " + std::to_string(kFadeSteps));
    if (chance(30))
        shot();
    wander(pick(0, 3), false);
    click(pick(0, kWidth - 1), pick(0, kHeight - 1));
    add("until scene 0 max " + std::to_string(kSceneSteps));
}

void SoakScript::addLoop()
{
    title();
    if (chance(25))
        lookAtRanking();
    round();
    nameEntry();
    ranking();
}
