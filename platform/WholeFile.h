#pragma once

#include <cstddef>
#include <string>

// A file read at once, for the readers that decode bytes in memory: the ranking, a
// replay, a recorded frame. One reader for all, so that what the game writes it can
// always read back.
enum class WholeFile {
    Read,        // every byte was read
    Missing,     // there is no such file
    Folder,      // it is a folder
    Unreadable,  // it exists but could not be read to the end
    TooLarge,    // it holds more than kMostWholeFileBytes
};

// Refused beyond this, rather than filling memory: far beyond the longest round a
// replay keeps and the largest frame the game draws.
constexpr std::size_t kMostWholeFileBytes = 64u << 20;

// Reads the file into bytes. Unless Read, bytes is empty and why says what went wrong.
WholeFile readWholeFile(const std::string& path, std::string& bytes, std::string& why);
