// The program's pictures (atoms, palette, legend, splash, icon) by resource
// name, with the size each one is drawn at.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kovala {

struct TPictureInfo {
  std::string_view name;  // "carbonatom", "599", "Bitmap_1", ...
  int width;
  int height;
};

const std::vector<TPictureInfo>& Pictures();
const TPictureInfo* FindPicture(std::string_view name);

// Where the program's resources keep the picture: ":/pictures/<name>.xpm".
std::string PictureResource(std::string_view name);

}  // namespace kovala
