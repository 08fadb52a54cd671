#pragma once

#include "scenes/ScoreEntry.h"

#include <string>
#include <vector>

// The ranking file: one "name,score" line per entry, CR LF on every platform.
// Loading keeps file order; inserting sorts by score, equal scores keeping their order.
class ScoreTable {
public:
    // A missing file leaves the table empty. So does one that exists but cannot be
    // read to the end: the reason goes to standard error, and save never writes over it.
    void load(const std::string& path);
    // Replaces the file's contents without ever losing the old ones; on failure the
    // old file stays as it was and the reason goes to standard error. 0 on success.
    int save(const std::string& path) const;
    // An empty entry with score 0 past the end.
    ScoreEntry entry(int index) const;
    void insert(ScoreEntry entry);
    void clear() { entries_.clear(); }
    int count() const { return static_cast<int>(entries_.size()); }

    // One line as the file holds it, without its line end; false when it holds no entry.
    static bool parseLine(const std::string& line, ScoreEntry& entry);

private:
    // The whole file as save writes it.
    std::string text() const;

    std::vector<ScoreEntry> entries_;
    std::string unreadable_;  // the path the last load could not read
};
