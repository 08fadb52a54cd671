#pragma once

#include "play/EndKind.h"

#include "platform/Platform.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One round as a file: what carried into it, what it read from outside the game at
// every step, checksums of its state at intervals, and its result.
class Replay {
public:
    // 1: the first format.
    static constexpr std::uint16_t kFormatVersion = 1;
    static constexpr const char* kGameVersion = "1.0";
    // About a second of play between two state checksums.
    static constexpr int kChecksumInterval = 60;
    // A round (with its result screen left waiting) longer than this is not kept:
    // about four and a half hours of steps.
    static constexpr int kMaxSteps = 1 << 20;
    // Clock reads a step makes at most: the round clock's two, and the start's one.
    static constexpr int kMaxClockReads = 3;
    static constexpr int kNameBytes = 16;

    struct Result {
        int score = 0;
        int comboBonus = 0;
        int clearBonus = 0;
        int total = 0;
        EndKind endKind = EndKind::Playing;
        char name[kNameBytes] = {};
    };

    // What a round inherits from the rounds and scenes before it.
    struct Carry {
        std::uint32_t randomState = 0;
        int wandererCounter = 0;
        int spawnTimer = 0;
        int gaugeBlink = 0;
        int gaugeBlinkFalling = 0;
    };

    // What the round read in one step; the pointer and button as last read.
    struct Step {
        platform::Point pointer{0, 0};
        bool button = false;
        int clockReads = 0;
        std::uint32_t clock[kMaxClockReads] = {};
    };

    // The version of the game that recorded it; any is read, this build's is written.
    std::string gameVersion = kGameVersion;
    Result result;
    Carry carry;
    std::vector<Step> steps;
    // The state's checksum after every kChecksumInterval-th step.
    std::vector<std::uint32_t> checksums;

    void setName(const char* name);
    // The name as typed: without the spaces the name entry fills its places with.
    std::string typedName() const;
    std::string encode() const;
    // False with the reason when the bytes are no replay this build can read.
    static bool decode(std::string_view bytes, Replay& replay, std::string& error);
    // False with what is wrong with the file, or with its bytes, for a reader that names it.
    static bool readFile(const std::string& path, Replay& replay, std::string& error);
};
