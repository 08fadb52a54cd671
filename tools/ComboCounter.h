#pragma once

#include "render/BitmapFont.h"

class DeviceSystem;

// Kills in quick succession: the count lapses 180 steps after the last kill.
class ComboCounter {
public:
    // Every this many in the count add the points once more.
    static constexpr int kCountPerMultiple = 10;

    void initialize(DeviceSystem* system);
    void reset();
    // Called every step of play, with 0 when nothing was destroyed.
    void addHits(int hits);
    // The count, or 1 when there is none.
    int multiplierCount() const { return count_ == 0 ? 1 : count_; }
    int maxCombo() const { return best_; }
    // Points scored with the count as it stands: doubled from ten, tripled from twenty...
    int multiplied(int points) const { return points * (multiplierCount() / kCountPerMultiple + 1); }
    void draw();

    int count() const { return count_; }

private:
    BitmapFont font_;
    int count_ = 0;
    int best_ = 0;
    int timer_ = 0;
};
