#include "scenes/SharedResult.h"

#include <cstring>

void SharedResult::setName(const char* name)
{
    std::strncpy(name_, name, sizeof name_ - 1);
    name_[sizeof name_ - 1] = '\0';
}
