#pragma once

#include "app/Program.h"
#include "platform/sim/SimPlatform.h"
#include "replay/Replay.h"
#include "sim/Camera.h"
#include "sim/Script.h"

#include <ostream>
#include <string>

// Runs the real program on the simulated platform, carrying out a script's
// commands between passes of the main loop.
class Simulator {
public:
    Simulator(const Script& script, std::ostream& out);
    // 0 when the script ran to its end or the program ended; 1 with a message otherwise.
    int run(std::string& error);

    // One line of key=value pairs describing the program now.
    std::string stateLine() const;

private:
    void onPass();
    // False while the command before still waits for steps or a scene.
    bool waiting();
    void execute(const Script::Command& command);
    void fail(const Script::Command& command, const std::string& why);
    // The game scene plays the file's round from the next step on.
    void replay(const Script::Command& command);

    const Script& script_;
    std::ostream& out_;
    platform::SimPlatform platform_;
    Program program_{platform_};
    Camera camera_;
    std::size_t next_ = 0;
    const Script::Command* waitingFor_ = nullptr;
    int waitStart_ = 0;
    bool finished_ = false;
    std::string error_;
    // The round being played again; it outlives that round.
    Replay replay_;
};
