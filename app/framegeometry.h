// Where the main frame and the splash picture go on the screen, worked out
// from the screen size alone so the arithmetic is the same on every desktop.
#pragma once

#include "base/geometry.h"

namespace kovala {

// The splash stays up this many whole calendar seconds before the frame shows.
inline constexpr int SplashSeconds = 3;
inline constexpr int SplashWidth = 200;
inline constexpr int SplashHeight = 200;

// The frame covers the middle seven ninths of the screen in each direction.
constexpr TRect FrameRect(int screenWidth, int screenHeight) {
  const int left = screenWidth / 9;
  const int top = screenHeight / 9;
  return TRect{left, top, left + 7 * (screenWidth / 9), top + 7 * (screenHeight / 9)};
}

// The splash picture centred on the screen; each half is truncated before the
// subtraction, so odd sizes lean to the upper left.
constexpr TRect SplashRect(int screenWidth, int screenHeight, int pictureWidth = SplashWidth,
                           int pictureHeight = SplashHeight) {
  const int left = screenWidth / 2 - pictureWidth / 2;
  const int top = screenHeight / 2 - pictureHeight / 2;
  return TRect{left, top, left + pictureWidth, top + pictureHeight};
}

}  // namespace kovala
