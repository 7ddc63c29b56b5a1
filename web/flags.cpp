// The country flags of the account windows and the boards: the painted
// "GFlag_" pictures, looked up by the country's English name.
#include <QPainter>

#include "form_account.h"
#include "resources.h"
#include "table_drawing.h"

namespace zarnet {

QString CountryFlagName(const std::string& code) {
  int c = 0, n = 0;
  if (!ParseCountryCode(code, &c, &n) || n == 0) return {};
  return "GFlag_" + QString::fromUtf8(CountryAt(c, n).english).replace(' ', '_');
}

QImage CountryFlag(const std::string& code, int w, int h) {
  InitArtResources();
  const QString name = CountryFlagName(code);
  const QImage picture = name.isEmpty() ? QImage() : ProgramPicture(name);
  if (!picture.isNull()) return picture.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  // An unknown country keeps its place in the lists with a grey mark.
  QImage img(w, h, QImage::Format_ARGB32);
  img.fill(QColor(0xd8, 0xd8, 0xd8));
  QPainter p(&img);
  p.setPen(QColor(0x40, 0x40, 0x40));
  p.drawText(QRect(0, 0, w, h), Qt::AlignCenter, "?");
  p.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
  return img;
}

}  // namespace zarnet
