#pragma once

#include "editor/bondwindow.h"

namespace kovala {

// The middle of a side cell of an atom: where a student aims to bond there.
inline TPoint SideOf(const TAtom& atom, SideCode side) {
  switch (side) {
    case RightSide:
      return {atom.x + 30, atom.y + 10};
    case TopSide:
      return {atom.x + 10, atom.y - 10};
    case LeftSide:
      return {atom.x - 10, atom.y + 10};
    default:
      return {atom.x + 10, atom.y + 30};
  }
}

}  // namespace kovala
