#include "resources/pictures.h"

#include <algorithm>

namespace kovala {

const std::vector<TPictureInfo>& Pictures() {
  static const std::vector<TPictureInfo> pictures = {
      // Atoms in the drawing area; the hydrogen is drawn 3 pixels into its cell.
      {"carbonatom", 20, 20},
      {"bitmap_2", 14, 14},
      {"oxygenatom", 20, 20},
      {"nitrogenatom", 20, 20},
      {"sulfuratom", 20, 20},
      {"chlorineatom", 20, 20},
      {"phosphorus", 20, 20},
      {"bromine", 20, 20},
      {"fluorine", 20, 20},
      {"electron", 3, 3},
      {"blank", 20, 20},
      // The 3-D legend's hydrogen; the other legend pictures are the atoms above.
      {"hydrogenatom", 20, 20},
      // Palette buttons; "611" (a pentagon) is on no button.
      {"598", 20, 20},
      {"599", 20, 20},
      {"602", 20, 20},
      {"603", 20, 20},
      {"604", 20, 20},
      {"605", 20, 20},
      {"606", 20, 20},
      {"607", 20, 20},
      {"608", 20, 20},
      {"609", 20, 20},
      {"610", 20, 20},
      {"611", 20, 20},
      {"612", 20, 20},
      // Splash and program icon.
      {"Bitmap_1", 200, 200},
      {"ATOMBOMB", 32, 32},
  };
  return pictures;
}

const TPictureInfo* FindPicture(std::string_view name) {
  const auto& pictures = Pictures();
  auto found = std::find_if(pictures.begin(), pictures.end(),
                            [name](const TPictureInfo& picture) { return picture.name == name; });
  return found == pictures.end() ? nullptr : &*found;
}

std::string PictureResource(std::string_view name) { return ":/pictures/" + std::string(name) + ".xpm"; }

}  // namespace kovala
