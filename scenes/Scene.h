#pragma once

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
    DeviceSystem* system_ = nullptr;
    int* sceneNumber_ = nullptr;
    int stepCounter_ = 0;
};
