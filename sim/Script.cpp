#include "sim/Script.h"

#include <sstream>

namespace {

bool number(const std::string& word, long long& value)
{
    try {
        std::size_t used = 0;
        value = std::stoll(word, &used);
        return used == word.size();
    } catch (const std::exception&) {
        return false;
    }
}

bool numbers(const std::vector<std::string>& words, std::size_t count, long long (&values)[2])
{
    if (words.size() != count + 1)
        return false;
    for (std::size_t i = 0; i < count; ++i)
        if (!number(words[i + 1], values[i]))
            return false;
    return true;
}

}  // namespace

bool Script::parse(const std::string& text, std::string& error)
{
    std::istringstream input(text);
    std::string raw;
    for (int line = 1; std::getline(input, raw); ++line) {
        const std::size_t hash = raw.find('#');
        std::istringstream words(raw.substr(0, hash));
        std::vector<std::string> split;
        for (std::string w; words >> w;)
            split.push_back(w);
        if (!split.empty() && !parseLine(line, split, error))
            return false;
    }
    return true;
}

bool Script::parseLine(int line, const std::vector<std::string>& words, std::string& error)
{
    const std::string& verb = words[0];
    long long v[2] = {0, 0};
    const auto add = [&](Kind kind, long long a = 0, long long b = 0) {
        commands_.push_back(Command{line, kind, static_cast<int>(a), static_cast<int>(b), {}});
    };
    const auto fail = [&](const std::string& why) {
        error = "line " + std::to_string(line) + ": " + why;
        return false;
    };
    if (verb == "seed" && numbers(words, 1, v) && v[0] >= 0) {
        seed_ = static_cast<unsigned>(v[0]);
    } else if (verb == "answer" && words.size() == 2 && (words[1] == "yes" || words[1] == "no")) {
        answerYes_ = words[1] == "yes";
    } else if (verb == "move" && numbers(words, 2, v)) {
        add(Kind::Move, v[0], v[1]);
    } else if (verb == "down" && words.size() == 1) {
        add(Kind::Down);
    } else if (verb == "up" && words.size() == 1) {
        add(Kind::Up);
    } else if (verb == "click" && numbers(words, 2, v)) {
        add(Kind::Move, v[0], v[1]);
        add(Kind::Down);
        add(Kind::Steps, 1);
        add(Kind::Up);
    } else if (verb == "steps" && numbers(words, 1, v) && v[0] >= 0 && v[0] <= 100000000) {
        add(Kind::Steps, v[0]);
    } else if (verb == "seconds" && numbers(words, 1, v) && v[0] >= 0 && v[0] <= 1000000) {
        add(Kind::Steps, v[0] * 1000 / 16);
    } else if (verb == "until" && words.size() >= 3 && words[1] == "scene") {
        long long scene = 0;
        long long most = 20000;
        const bool limited = words.size() == 5 && words[3] == "max" && number(words[4], most) && most >= 0;
        if (!number(words[2], scene) || (words.size() != 3 && !limited))
            return fail("expected: until scene N [max M]");
        add(Kind::UntilScene, scene, most);
    } else if (verb == "shot" && words.size() == 2) {
        commands_.push_back(Command{line, Kind::Shot, 0, 0, words[1]});
    } else if (verb == "frame" && words.size() == 2) {
        commands_.push_back(Command{line, Kind::Frame, 0, 0, words[1]});
    } else if (verb == "replay" && words.size() == 2) {
        commands_.push_back(Command{line, Kind::Replay, 0, 0, words[1]});
    } else if (verb == "state" && words.size() == 1) {
        add(Kind::State);
    } else if (verb == "escape" && words.size() == 1) {
        add(Kind::Escape);
    } else {
        return fail("cannot read '" + verb + "' with these arguments");
    }
    return true;
}
