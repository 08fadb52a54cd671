#pragma once

#include "app/Application.h"

#include <string>

// One line of key=value pairs describing the running game, for the simulator's
// script and the browser page's test hook alike.
class StateLine {
public:
    static std::string describe(const Application& application, int steps);
};
