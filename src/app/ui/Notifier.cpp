#include "app/ui/Notifier.h"

#include "app/ui/NotifierSkin.h"
#include "codec/CodePage.h"

namespace quorix::ui {

Notifier::Notifier() : notifier_(window_) {
  window_.SetLogic(&notifier_.window());
  SetSkin(DrawNotifierSkin());
  NotifyFont font;
  font.font = QFont("DejaVu Sans");
  font.font.setStyleHint(QFont::SansSerif);
  font.font.setPixelSize(11);
  font.font.setBold(true);
  font.color = QColor(0, 0, 128);
  SetFonts(font, font);
  notifier_.TextLeftPadding = 7;
  notifier_.TextTopPadding = 35;
  notifier_.TextRightPadding = 7;
  notifier_.TextBottomPadding = 20;
  notifier_.TimeToShow = 50;
  notifier_.TimeToLive = 1000;
  notifier_.TimeToHide = 50;
}

// The window outlives the logic it points to by a moment; no late event may reach it.
Notifier::~Notifier() {
  window_.SetLogic(nullptr);
}

void Notifier::Show(const std::string& cp1251) {
  notifier_.Message = cp1251;
  notifier_.Show();
}

void Notifier::Show(const QString& text) {
  Show(text.toStdString());
}

void Notifier::SetSkin(const QImage& skin) {
  window_.SetSkin(skin);
  notifier_.SkinWidth = skin.width();
  notifier_.SkinHeight = skin.height();
}

void Notifier::SetFonts(const NotifyFont& normal, const NotifyFont& selected) {
  window_.SetFonts(normal, selected);
}

}  // namespace quorix::ui
