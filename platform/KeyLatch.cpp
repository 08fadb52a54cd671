#include "platform/KeyLatch.h"

namespace platform {

void KeyLatch::press(Key key)
{
    State& s = states_[static_cast<int>(key)];
    s.down = true;
    s.unseen = true;
}

void KeyLatch::release(Key key) { states_[static_cast<int>(key)].down = false; }

bool KeyLatch::isDown(Key key) const
{
    const State& s = states_[static_cast<int>(key)];
    return s.down || s.unseen;
}

void KeyLatch::endStep()
{
    for (State& s : states_)
        s.unseen = false;
}

}  // namespace platform
