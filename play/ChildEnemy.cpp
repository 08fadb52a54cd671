#include "play/ChildEnemy.h"

#include "base/Field.h"

void ChildEnemy::move()
{
    x_ += dx_;
    if (x_ <= 0 || x_ >= field::kWidth)
        vanish();
    if (y_ <= 0 || y_ >= field::kHeight)
        vanish();
    y_ += dy_;
}
