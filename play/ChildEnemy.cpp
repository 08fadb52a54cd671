#include "play/ChildEnemy.h"

void ChildEnemy::move()
{
    x_ += dx_;
    if (x_ <= 0 || x_ >= 640)
        vanish();
    if (y_ <= 0 || y_ >= 480)
        vanish();
    y_ += dy_;
}
