#pragma once

#include <QIcon>
#include <QList>
#include <array>
#include <string>

namespace quorix::ui {

// The eight number type icons from logo/<name>.bmp, in type order: each cut to its top-left
// 15 x 15 pixels, transparent where it has the colour of its bottom-left pixel. Throws
// std::runtime_error "Cannot open file ..." (code page 1251) for an icon that cannot be read.
QList<QIcon> LoadNumberTypeIcons(const std::array<std::string, 8>& names);

}  // namespace quorix::ui
