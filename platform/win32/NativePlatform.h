#pragma once

#include "platform/win32/Win32Platform.h"

// The back end this build runs the game on.
namespace platform {
using NativePlatform = Win32Platform;
}
