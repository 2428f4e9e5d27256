// Points and rectangles in integer client pixels, y growing downwards.
#pragma once

namespace kovala {

struct TPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  // Edges count as inside, as the drop test of the editor wants it.
  bool ContainsInclusive(TPoint p) const {
    return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom;
  }
  friend bool operator==(const TRect&, const TRect&) = default;
};

}  // namespace kovala
