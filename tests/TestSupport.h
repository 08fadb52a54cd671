#pragma once

#include "render/DeviceSystem.h"
#include "app/MainWindow.h"
#include "platform/record/RecordingDevice.h"
#include "platform/sim/SimPlatform.h"
#include "tools/LiveInput.h"
#include "scenes/Scene.h"
#include "scenes/SceneFactory.h"
#include "scenes/Session.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// The simulated platform, a window, and a device system on a recording
// device. Images come from the game's data folder.
class SimTest : public ::testing::Test {
protected:
    SimTest();

    RecordingDevice& device() { return *sim.device(); }
    // The fans drawn since the last call.
    std::vector<RecordingDevice::Command> drawn();

    platform::SimPlatform sim;
    MainWindow mainWindow{sim};
    platform::Window* window = nullptr;
    DeviceSystem system;
    // The player as the simulated platform has them, for what a round reads.
    LiveInput player;
    // What the scenes share, with the round's world.
    Session session;
};

// A scene that records what the manager does with it.
class ProbeScene : public Scene {
public:
    explicit ProbeScene(int number, std::vector<std::string>* log) : number_(number), log_(log) {}
    int enter() override;
    int update() override;
    int draw() override;

    // Runs inside update; its result is update's.
    std::function<int(int& sceneNumber)> onUpdate;

private:
    int number_;
    std::vector<std::string>* log_;
};

// Builds probe scenes for the numbers asked for.
class ProbeFactory : public SceneFactory {
public:
    explicit ProbeFactory(int scenes = kSceneCount) : scenes_(scenes) {}
    std::unique_ptr<Scene> create(int number, Session& session) override;
    ProbeScene* probe(int number) const { return probes_[number]; }

    std::vector<std::string> log;

private:
    int scenes_;
    ProbeScene* probes_[kSceneCount] = {};
};

// A temporary folder made the working directory, with the game's images under data/,
// or only those that make it the game's folder.
class TemporaryFolder {
public:
    explicit TemporaryFolder(bool withImages = true);
    ~TemporaryFolder();
    const std::string& path() const { return path_; }
    std::string read(const std::string& file) const;
    void write(const std::string& file, const std::string& content) const;

private:
    std::string path_;
    std::string previous_;
};
