#pragma once

#include "base/Field.h"
#include "platform/Platform.h"
#include "render/Sprite.h"
#include "tools/RoundInput.h"
#include "tools/Chain.h"

class DeviceSystem;

// The weapon: grabbed and dragged with the left button, then flung back and forth
// by a spring anchored at the centre until it rests. Only a flying bomb hurts.
// Each flight step moves it by minus its flight vector.
class Bomb {
public:
    void initialize(DeviceSystem* system, platform::Window* window);
    void reset(int x, int y);
    void update(RoundInput& input);
    void draw();
    double x() const { return x_; }
    double y() const { return y_; }
    double velocityX() const { return vx_; }
    double velocityY() const { return vy_; }
    double radius() const { return radius_; }
    int isFlying() const { return flying_; }

    int isGrabbed() const { return grabbed_; }
    const Chain& chain() const { return chain_; }

private:
    void handleButton(bool down, double mx, double my);
    void fly();

    double x_ = field::kCentreX;
    double y_ = field::kCentreY;
    double vx_ = 0;
    double vy_ = 0;
    double radius_ = 32;
    Sprite sprite_;
    DeviceSystem* system_ = nullptr;
    Chain chain_;
    int grabbed_ = 0;
    int flying_ = 0;
    // A release sets the brake and a grab the offset before either is used; a
    // reset leaves them alone.
    double brake_ = 0.1f;
    double grabDx_ = 0;
    double grabDy_ = 0;
};
