// The program's pictures and cursors as Qt loads them from the resource
// library, each picture read once and kept for the rest of the run.
#pragma once

#include <QCursor>
#include <QImage>
#include <string_view>

namespace kovala {

// The picture resource of that name as an opaque image; a null image when there is no
// such picture, so a missing picture draws nothing rather than failing.
const QImage& LoadPicture(std::string_view name);

// The cursor resource of that name with its hot spot from the cursor table; the arrow
// when the cursor is unknown. `scale` screen pixels stand for one pixel of the
// picture, so the carried atom's cursor keeps in proportion with its cell.
QCursor LoadCursor(std::string_view name, double scale = 1.0);

}  // namespace kovala
