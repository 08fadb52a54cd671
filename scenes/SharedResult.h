#pragma once

// The last result, which the round stores and the name entry and the ranking read.
class SharedResult {
public:
    void setScore(int score) { score_ = score; }
    // Copies at most 15 characters.
    void setName(const char* name);
    const char* name() const { return name_; }
    int score() const { return score_; }
    void setPending(int pending) { pending_ = pending; }
    int pending() const { return pending_; }

private:
    char name_[16] = {};
    int score_ = 0;
    int pending_ = 0;
};
