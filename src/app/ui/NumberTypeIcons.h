#pragma once

#include <QPixmap>
#include <array>
#include <string>
#include <vector>

namespace quorix::ui {

// The icons of the eight number types, in type order, from "logo/<name>.bmp" in the first of
// the folders that has it (see NumberTypeIconPath): the top-left 15 x 15 pixels of each,
// transparent where it has the colour of its bottom-left pixel. A whole new set each call, so a
// reload of the settings replaces the icons rather than adding to them. Throws std::runtime_error
// (code page 1251 message) for an icon that is missing or not a picture.
std::array<QPixmap, 8> LoadNumberTypeIcons(const std::array<std::string, 8>& names,
                                           const std::vector<std::string>& folders);

}  // namespace quorix::ui
