#pragma once

#include <string>

// A file read at once, for the readers that decode bytes in memory.
enum class WholeFile { Read, Unreadable, TooLarge };

// Reads the file into `bytes` when it has no more than `most` bytes.
WholeFile readWholeFile(const std::string& path, long long most, std::string& bytes);
