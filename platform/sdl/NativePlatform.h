#pragma once

#include "platform/sdl/SdlPlatform.h"

// The back end this build runs the game on.
namespace platform {
using NativePlatform = SdlPlatform;
}
