// The 3-D views' key commands: the arrows turn the molecule, Shift+arrows
// move it. Both views answer the same accelerators.
#pragma once

namespace kovala::viewkeys {

inline constexpr int TurnLeft = 701;
inline constexpr int TurnRight = 702;
inline constexpr int TurnUp = 703;
inline constexpr int TurnDown = 704;
inline constexpr int MoveLeft = 705;
inline constexpr int MoveRight = 706;
inline constexpr int MoveUp = 707;
inline constexpr int MoveDown = 708;

}  // namespace kovala::viewkeys
