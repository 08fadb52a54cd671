#pragma once

// The last result, shared by every instance: what one scene stores through its own
// instance, the others read through theirs.
class SharedResult {
public:
    void setScore(int score);
    // Copies at most 15 characters.
    void setName(const char* name);
    const char* name() const;
    int score() const;
    void setPending(int pending);
    int pending() const;
};
