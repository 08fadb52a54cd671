#include "sim/Script.h"
#include "sim/Simulator.h"

#include <fstream>
#include <iostream>
#include <sstream>

// tessaro-sim SCRIPT: plays the game headless in the current directory.
int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: tessaro-sim SCRIPT\n";
        return 2;
    }
    std::ifstream file(argv[1]);
    if (!file) {
        std::cerr << "tessaro-sim: cannot read " << argv[1] << '\n';
        return 2;
    }
    std::ostringstream text;
    text << file.rdbuf();
    Script script;
    std::string error;
    if (!script.parse(text.str(), error)) {
        std::cerr << "tessaro-sim: " << argv[1] << ": " << error << '\n';
        return 1;
    }
    Simulator simulator(script, std::cout);
    if (simulator.run(error) != 0) {
        std::cerr << "tessaro-sim: " << argv[1] << ": " << error << '\n';
        return 1;
    }
    return 0;
}
