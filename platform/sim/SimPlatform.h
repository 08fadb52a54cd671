#pragma once

#include "base/Field.h"
#include "platform/KeyLatch.h"
#include "platform/Platform.h"

#include <cstdint>
#include <functional>
#include <memory>

class RecordingDevice;

namespace platform {

// No window and no wall clock: a virtual millisecond clock that only sleeps move,
// input set by the caller, and a recording device. Runs the game as fast as it can.
class SimPlatform : public Platform {
public:
    explicit SimPlatform(std::uint32_t clockStart = 1000000);
    ~SimPlatform() override;

    Window* createWindow(int width, int height, const char* title, WindowProcedure procedure) override;
    void destroyWindow(Window* window) override;
    bool takeMessage() override;
    std::uint32_t milliseconds() override { return clock_; }
    void sleep(std::uint32_t ms) override;
    std::uint32_t randomSeed() override { return seed_; }
    bool askYesNo(Window* owner, const char* caption, const char* text) override;
    void hidePointer() override { ++pointerHides_; }
    Point pointer(Window* window) override;
    void setPointer(Window* window, Point client) override;
    bool isDown(Key key) override { return keys_.isDown(key); }
    void endStep() override;
    std::unique_ptr<Device> createDevice(Window* window) override;
    void enterFullScreen(Window* window) override;
    void showError(const char* text) override;

    // What a script or a test does to the program.
    void movePointer(Point client) { pointer_ = client; }
    void press(Key key) { keys_.press(key); }
    void release(Key key) { keys_.release(key); }
    void postMessage() { ++pendingMessages_; }
    void postClose() { closePending_ = true; }
    void advanceClock(std::uint32_t ms) { clock_ += ms; }
    void setSeed(std::uint32_t seed) { seed_ = seed; }
    void setAnswer(bool yes) { answerYes_ = yes; }
    // No device for the window: as a machine without one, or for a round that draws nothing.
    void withholdDevice(bool withhold) { withholdDevice_ = withhold; }
    // Runs at the start of every pass of the main loop, before the queue is looked at.
    void setPassHook(std::function<void()> hook) { passHook_ = std::move(hook); }
    // Runs in every sleep, with the sleep's length, before the clock moves.
    void setSleepHook(std::function<void(std::uint32_t)> hook) { sleepHook_ = std::move(hook); }

    // What the program did.
    int steps() const { return steps_; }
    int questionsAsked() const { return questions_; }
    int pointerHides() const { return pointerHides_; }
    int pointerMoves() const { return pointerMoves_; }
    bool fullScreen() const { return fullScreen_; }
    bool windowOpen() const { return window_ != nullptr; }
    RecordingDevice* device() const { return device_; }

private:
    std::uint32_t clock_;
    std::uint32_t seed_ = 1;
    KeyLatch keys_;
    Point pointer_{field::kCentreX, field::kCentreY};
    Window* window_ = nullptr;
    WindowProcedure procedure_ = nullptr;
    int pendingMessages_ = 0;
    bool closePending_ = false;
    bool answerYes_ = false;
    bool withholdDevice_ = false;
    bool fullScreen_ = false;
    int steps_ = 0;
    int questions_ = 0;
    int pointerHides_ = 0;
    int pointerMoves_ = 0;
    RecordingDevice* device_ = nullptr;
    std::function<void()> passHook_;
    std::function<void(std::uint32_t)> sleepHook_;
};

}  // namespace platform
