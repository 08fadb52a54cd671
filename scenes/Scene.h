#pragma once

#include <cstdint>

class DeviceSystem;

enum SceneNumber : int {
    kTitleScene = 0,
    kNameEntryScene = 1,
    kRankingScene = 2,
    kIntroScene = 3,
    kGameScene = 4,
    kSceneCount = 5,
};

// One screen of the game. Built and initialised once; entered afresh on every visit.
// A scene switches by writing another number through its scene-number pointer.
class Scene {
public:
    virtual ~Scene() = default;
    // Keeps both pointers and sets the sampler state every scene starts from.
    virtual int initialize(DeviceSystem* system, int* sceneNumber);
    virtual int enter() = 0;
    // Nonzero ends the program.
    virtual int update() = 0;
    virtual int draw() = 0;

protected:
    // What every frame opens with: the scene's own background colour, the default
    // texture stages and alpha blending.
    void beginDraw(std::uint32_t background);

    DeviceSystem* system_ = nullptr;
    int* sceneNumber_ = nullptr;
    int stepCounter_ = 0;
};
