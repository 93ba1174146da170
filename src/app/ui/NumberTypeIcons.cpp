#include "app/ui/NumberTypeIcons.h"

#include <QBitmap>
#include <QImage>
#include <QPixmap>
#include <stdexcept>

#include "app/ProgramPaths.h"
#include "app/ui/Text.h"

namespace quorix::ui {

QList<QIcon> LoadNumberTypeIcons(const std::array<std::string, 8>& names) {
  QList<QIcon> icons;
  for (const auto& name : names) {
    const std::string path = NumberTypeIconPath(name);
    QImage image;
    if (!image.load(FromAnsi(path))) {
      throw std::runtime_error("Cannot open file \"" + path + "\". Not a readable bitmap");
    }
    image = image.copy(0, 0, 15, 15);
    QPixmap pixmap = QPixmap::fromImage(image);
    const QColor transparent = image.pixelColor(0, image.height() - 1);
    pixmap.setMask(pixmap.createMaskFromColor(transparent));
    icons << QIcon(pixmap);
  }
  return icons;
}

}  // namespace quorix::ui
