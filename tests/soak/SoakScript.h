#pragma once

#include <random>
#include <string>
#include <vector>

// A random but repeatable simulator script: whole loops of the game from the title
// back to it, with moves, presses, releases, clicks, steps and pictures in between.
// The title's EXIT is never pressed, so every loop reaches its end.
class SoakScript {
public:
    explicit SoakScript(unsigned seed);

    // One loop: sometimes a look at the ranking first, then a round, its name and
    // the ranking with the new entry. A "state" line follows each ranking reached.
    void addLoop();
    const std::string& text() const { return text_; }
    // The pictures the script asks for, in order.
    const std::vector<std::string>& shots() const { return shots_; }

private:
    int pick(int low, int high);
    bool chance(int percent);
    void add(const std::string& line);
    void click(int x, int y);
    void wander(int actions, bool pressing);
    void title();
    void lookAtRanking();
    void round();
    void fling();
    void nameEntry();
    void ranking();
    void shot();

    std::mt19937 random_;
    std::string text_;
    std::vector<std::string> shots_;
};
