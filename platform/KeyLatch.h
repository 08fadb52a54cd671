#pragma once

#include "platform/Platform.h"

namespace platform {

// Key levels as the game reads them. A press whose release arrives before the next
// update step has seen it still reads down for that one step, so no click is lost.
class KeyLatch {
public:
    void press(Key key);
    void release(Key key);
    bool isDown(Key key) const;
    void endStep();

private:
    struct State {
        bool down = false;
        bool unseen = false;
    };
    State states_[2];
};

}  // namespace platform
