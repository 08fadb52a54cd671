#include "sim/Simulator.h"

#include "app/StateLine.h"
#include "scenes/GameScene.h"
#include "platform/record/FrameFile.h"
#include "platform/record/RecordingDevice.h"

Simulator::Simulator(const Script& script, std::ostream& out) : script_(script), out_(out)
{
    platform_.setSeed(script.seed());
    platform_.setAnswer(script.answerYes());
    platform_.setPassHook([this] { onPass(); });
}

int Simulator::run(std::string& error)
{
    const bool started = program_.run() == 0;
    error = started ? error_ : "the program could not start";
    return error.empty() ? 0 : 1;
}

void Simulator::fail(const Script::Command& command, const std::string& why)
{
    error_ = "line " + std::to_string(command.line) + ": " + why;
    finished_ = true;
    platform_.postClose();
}

bool Simulator::waiting()
{
    if (waitingFor_ == nullptr)
        return false;
    const Script::Command& c = *waitingFor_;
    const int ran = platform_.steps() - waitStart_;
    if (c.kind == Script::Kind::Steps) {
        if (ran < c.a)
            return true;
    } else if (program_.application().scenes().currentScene() != c.a) {
        if (ran >= c.b)
            fail(c, "scene " + std::to_string(c.a) + " not reached in " + std::to_string(c.b) + " steps");
        return true;
    }
    waitingFor_ = nullptr;
    return false;
}

void Simulator::onPass()
{
    while (!finished_ && !waiting()) {
        if (next_ == script_.commands().size()) {
            finished_ = true;
            platform_.postClose();
            return;
        }
        execute(script_.commands()[next_++]);
    }
}

void Simulator::execute(const Script::Command& c)
{
    using Kind = Script::Kind;
    switch (c.kind) {
    case Kind::Move: platform_.movePointer({c.a, c.b}); break;
    case Kind::Down: platform_.press(platform::Key::LeftButton); break;
    case Kind::Up: platform_.release(platform::Key::LeftButton); break;
    case Kind::Steps:
    case Kind::UntilScene:
        waitingFor_ = &c;
        waitStart_ = platform_.steps();
        break;
    case Kind::Shot: {
        std::string why;
        const RecordingDevice* device = platform_.device();
        if (device == nullptr || !camera_.shoot(*device, c.file, why))
            fail(c, why.empty() ? "no frame to shoot" : why);
        break;
    }
    case Kind::Frame: {
        std::string why = "no frame to write";
        const RecordingDevice* device = platform_.device();
        if (device == nullptr || device->presented().empty() ||
            !FrameFile::save(c.file, *device, device->presented(), why))
            fail(c, why);
        break;
    }
    case Kind::State: out_ << stateLine() << '\n'; break;
    case Kind::Replay: replay(c); break;
    case Kind::Escape:
        platform_.press(platform::Key::Escape);
        finished_ = true;
        break;
    }
}

void Simulator::replay(const Script::Command& c)
{
    std::string why;
    if (!Replay::readFile(c.file, replay_, why)) {
        fail(c, c.file + ": " + why);
        return;
    }
    SceneManager& scenes = program_.application().scenes();
    auto* game = dynamic_cast<GameScene*>(scenes.scene(kGameScene));
    if (game == nullptr) {
        fail(c, "no round to play the replay in");
        return;
    }
    game->playBack(&replay_);
    scenes.switchTo(kGameScene);
}

std::string Simulator::stateLine() const
{
    return StateLine::describe(program_.application(), platform_.steps());
}
