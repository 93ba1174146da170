#pragma once

#include <QImage>

namespace quorix::ui {

// The popup's 148 x 120 skin: a rounded panel with a title strip, drawn here rather than shipped.
// Outside the panel is the transparent colour, so the bottom-left pixel carries it.
QImage DrawNotifierSkin();

}  // namespace quorix::ui
