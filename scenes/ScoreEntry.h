#pragma once

// One line of the ranking: a name of at most 15 characters and its score.
struct ScoreEntry {
    int score = 0;
    char name[16] = {};
};
