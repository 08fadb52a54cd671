#pragma once

#include "platform/Platform.h"
#include "replay/Replay.h"

#include <cstdint>

// The platform as a round sees it. While a round records, the pointer, the left
// button and the clock pass through from the platform beneath and are kept step by
// step; while a replay plays, they come from the recording instead, and every other
// call still goes to the platform beneath.
class RoundPlatform : public platform::Platform {
public:
    enum class Mode { Off, Recording, Playing };

    // Put over the installed platform for the life of the scope.
    class Scope {
    public:
        explicit Scope(RoundPlatform& round);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        platform::Platform* beneath_;
    };

    // A new round kept into `replay`, which starts with the carry given.
    void record(Replay* replay, const Replay::Carry& carry);
    void play(const Replay* replay);
    // Nothing kept or served any more; what playback found stays readable.
    void stop() { mode_ = Mode::Off; }
    Mode mode() const { return mode_; }

    // The round finished a step.
    void finishStep();
    // The state's checksum after a step: kept, or compared with the recording's.
    void checkpoint(std::uint32_t stateChecksum);
    // Steps finished in this round.
    int steps() const { return steps_; }
    // The step at which playback first departed from the recording, 0 while it agrees.
    int departedAt() const { return departedAt_; }
    // Playback has served every recorded step.
    bool exhausted() const;

    int metric(platform::Metric metric) override;
    platform::Window* createWindow(int x, int y, int width, int height, const char* title,
                                   platform::WindowProcedure procedure) override;
    void destroyWindow(platform::Window* window) override;
    bool takeMessage() override;
    std::uint32_t milliseconds() override;
    void sleep(std::uint32_t ms) override;
    std::uint32_t randomSeed() override;
    bool askYesNo(platform::Window* owner, const char* caption, const char* text) override;
    void hidePointer() override;
    platform::Point pointer(platform::Window* window) override;
    void setPointer(platform::Window* window, platform::Point client) override;
    bool isDown(platform::Key key) override;
    void endStep() override;
    std::unique_ptr<Device> createDevice(platform::Window* window) override;
    void enterFullScreen(platform::Window* window) override;
    void showError(const char* text) override;

private:
    const Replay::Step& played() const;
    void depart();

    platform::Platform* beneath_ = nullptr;
    Mode mode_ = Mode::Off;
    Replay* recording_ = nullptr;
    const Replay* playing_ = nullptr;
    Replay::Step current_;
    int clockServed_ = 0;
    int steps_ = 0;
    int departedAt_ = 0;
};
