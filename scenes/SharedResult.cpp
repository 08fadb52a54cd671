#include "scenes/SharedResult.h"

#include <cstring>

namespace {
char sharedName[16] = {};
int sharedScore = 0;
int sharedPending = 0;
}  // namespace

void SharedResult::setScore(int score) { sharedScore = score; }

void SharedResult::setName(const char* name)
{
    std::strncpy(sharedName, name, sizeof sharedName - 1);
    sharedName[sizeof sharedName - 1] = '\0';
}

const char* SharedResult::name() const { return sharedName; }
int SharedResult::score() const { return sharedScore; }
void SharedResult::setPending(int pending) { sharedPending = pending; }
int SharedResult::pending() const { return sharedPending; }
