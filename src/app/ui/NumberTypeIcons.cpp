#include "app/ui/NumberTypeIcons.h"

#include <QBitmap>
#include <QImage>
#include <stdexcept>

#include "app/ProgramPaths.h"
#include "codec/CodePage.h"

namespace quorix::ui {
namespace {

constexpr int kIconSize = 15;

QPixmap LoadIcon(const std::string& path) {
  QImage image;
  if (!image.load(QString::fromStdString(path))) {
    throw std::runtime_error("Cannot open file \"" + path + "\". Bitmap image is not valid");
  }
  // Cut or widen to the list's icon size; the top-left part stays.
  image = image.convertToFormat(QImage::Format_RGB32).copy(0, 0, kIconSize, kIconSize);
  QPixmap icon = QPixmap::fromImage(image);
  const QColor transparent = image.pixelColor(0, kIconSize - 1);
  icon.setMask(QBitmap::fromImage(image.createMaskFromColor(transparent.rgb())));
  return icon;
}

}  // namespace

std::array<QPixmap, 8> LoadNumberTypeIcons(const std::array<std::string, 8>& names,
                                           const std::vector<std::string>& folders) {
  std::array<QPixmap, 8> icons;
  for (size_t t = 0; t < names.size(); ++t) {
    icons[t] = LoadIcon(NumberTypeIconPath(names[t], folders));
  }
  return icons;
}

}  // namespace quorix::ui
