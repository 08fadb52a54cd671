#pragma once

#include <string>
#include <vector>

// A simulator script: one command a line, "#" starts a comment.
class Script {
public:
    enum class Kind { Move, Down, Up, Steps, UntilScene, Shot, Frame, State, Escape, Replay };

    struct Command {
        int line;
        Kind kind;
        int a = 0;
        int b = 0;
        std::string file;
    };

    // False with a message naming the line when the script cannot be read.
    bool parse(const std::string& text, std::string& error);

    const std::vector<Command>& commands() const { return commands_; }
    unsigned seed() const { return seed_; }
    bool answerYes() const { return answerYes_; }

private:
    bool parseLine(int line, const std::vector<std::string>& words, std::string& error);

    std::vector<Command> commands_;
    unsigned seed_ = 1;
    bool answerYes_ = false;
};
