#pragma once

// The play field: the window's client area and every picture have this size, and
// the base and the bomb's spring anchor stand at its centre.
namespace field {
constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kCentreX = kWidth / 2;
constexpr int kCentreY = kHeight / 2;
}  // namespace field
