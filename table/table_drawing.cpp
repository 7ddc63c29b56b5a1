#include "table_drawing.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRegularExpression>
#include <algorithm>

#include "kuv_button.h"

namespace zarnet {

void InstallFontSubstitutes() {
  QFont::insertSubstitutions("Comic Sans MS", {"Comic Neue", "DejaVu Sans"});
  QFont::insertSubstitutions("Courier New", {"Liberation Mono", "DejaVu Sans Mono"});
  QFont::insertSubstitutions("FixedSys", {"DejaVu Sans Mono", "Liberation Mono"});
  QFont::insertSubstitutions("Arial", {"Liberation Sans", "DejaVu Sans"});
  QFont::insertSubstitutions("Times New Roman", {"Liberation Serif", "DejaVu Serif"});
}

QFont RoleFontPixels(const TableLook& look, FontRoleId role, int pixels, bool bold) {
  const FontRole& r = look.fonts[static_cast<int>(role)];
  QFont font(QString::fromStdString(r.name));
  font.setPixelSize(std::max(1, FontHeight(pixels, r.percentage)));
  font.setBold(bold);
  if (role == FontRoleId::Fixed || role == FontRoleId::Conew) font.setFixedPitch(true);
  return font;
}

QFont RoleFont(const TableLook& look, FontRoleId role, double designHeight, bool bold) {
  return RoleFontPixels(look, role, look.len(designHeight), bold);
}

QImage ProgramPicture(const QString& name) {
  for (const char* type : {"RCDATA", "BITMAP", "JPEG", "GIF"}) {
    QImage img(QString(":/%1/%2").arg(type, name));
    if (!img.isNull()) return img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  }
  return {};
}

QImage Stretched(const QImage& picture, int w, int h) {
  if (picture.isNull() || (picture.width() == w && picture.height() == h)) return picture;
  QImage out = picture.convertToFormat(QImage::Format_ARGB32);
  if (!ResizePng(out, w, h)) out = picture.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  return out.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage StretchedFine(const QImage& picture, int w, int h, double dpr) {
  if (dpr <= 1.0) return Stretched(picture, w, h);
  QImage out = Stretched(picture, Whole(w * dpr), Whole(h * dpr));
  out.setDevicePixelRatio(dpr);
  return out;
}

void PaintBackground(const TableLook& look, QImage& area, const Rect& r) {
  QPainter p(&area);
  p.setCompositionMode(QPainter::CompositionMode_Source);
  p.fillRect(QRect(0, 0, r.width, r.height), QColor(0xc0, 0xc0, 0xc0));
  if (look.art && !look.art->Background.isNull()) p.drawImage(-r.left, -r.top, look.art->Background);
}

QImage AreaWithBackground(const TableLook& look, const Rect& r) {
  QImage area(std::max(1, Whole(r.width * look.dpr)), std::max(1, Whole(r.height * look.dpr)),
              QImage::Format_ARGB32_Premultiplied);
  area.setDevicePixelRatio(look.dpr);
  PaintBackground(look, area, r);
  return area;
}

void DrawCentred(QPainter& p, int x0, int x1, int y, const QString& text) {
  const QFontMetrics m(p.font());
  const int w = m.horizontalAdvance(text);
  p.drawText(x0 + Whole((x1 - x0 - w) / 2.0), y + m.ascent(), text);
}

namespace {

QString Signed(int v) { return v > 0 ? "+" + QString::number(v) : QString::number(v); }

// A picture drawn at its size in the small window, stretched to the rect otherwise.
void DrawPanelPicture(const TableLook& look, QPainter& p, const QString& smallName,
                      const QString& largeName, int x, int y, int w, int h) {
  if (look.smallWindow) {
    const QImage img = ProgramPicture(smallName);
    if (!img.isNull()) p.drawImage(x, y, StretchedFine(img, img.width(), img.height(), look.dpr));
  } else {
    const QImage img = ProgramPicture(largeName);
    if (!img.isNull()) p.drawImage(x, y, StretchedFine(img, w, h, look.dpr));
  }
}

}  // namespace

void DrawHandArea(const TableLook& look, QImage& area, const Rect& r, const GameState& gs, int seat,
                  bool reveal) {
  PaintBackground(look, area, r);
  const CardArt& art = *look.art;
  const int n = gs.HandCount[seat];
  if (n <= 0) return;
  const std::vector<int> x = LayoutHand(r.width, n, art.CardWidth);
  for (int i = 1; i <= n; ++i) {
    const CardCode c = gs.Hand[seat][i];
    if (c == EmptyCard) continue;
    if (seat == 1 && !reveal) {
      art.DrawBack(x[i - 1], 0, area);
    } else {
      art.DrawCard(x[i - 1], 0, c, area);
    }
  }
}

void DrawDeckPanelArea(const TableLook& look, QImage& area, const Rect& r, CardCode trumpCard,
                       char trumpSuit, int deckNext) {
  PaintBackground(look, area, r);
  if (trumpSuit == '#' && deckNext == 100) return;
  const CardArt& art = *look.art;
  const int left = 41 - deckNext;
  QPainter p(&area);
  if (left > 0) {
    DrawPanelPicture(look, p, "GKolodaSmall", "GKolodaSmallB", look.smallWindow ? 20 : look.len(20),
                     look.smallWindow ? 1 : look.len(1), look.len(58), look.len(25));
    p.end();
    art.DrawCard(look.len(12) + look.len(art.CardShiftX), look.len(70), trumpCard, area);
    for (int y : DeckBackRows(left)) art.DrawBackRotated(0, look.len(y), area);
    p.begin(&area);
    QFont font("Comic Sans MS");
    font.setPixelSize(std::max(1, look.len(20)));
    font.setBold(true);
    p.setFont(font);
    p.setPen(FromBgr(0xFF0000));
    const QFontMetrics m(font);
    const int y = look.smallWindow ? look.len(4) : look.len(1) + Whole((look.len(25) - m.height()) / 2.0);
    DrawCentred(p, look.len(20), look.len(79), y, QString::number(left));
  } else {
    DrawPanelPicture(look, p, "GKolodaLarge", "GKolodaLargeB", look.smallWindow ? 20 : look.len(20),
                     look.smallWindow ? 54 : look.len(54), look.len(60), look.len(60));
    const int suit = SuitIndexOf(trumpSuit) - 1;
    if (suit >= 0) {
      const QImage& sym = look.smallWindow ? art.SmallSuit[suit] : art.LargeSuit[suit];
      if (!sym.isNull()) {
        if (look.smallWindow && look.dpr > 1.0 && !art.LargeSuit[suit].isNull()) {
          // The large symbol in the small one's place, for the finer pixels.
          p.setRenderHint(QPainter::SmoothPixmapTransform);
          p.drawImage(QRect(40, 74, 20, 20), art.LargeSuit[suit]);
        } else if (look.smallWindow) {
          p.drawImage(40, 74, sym);
        } else {
          p.drawImage(look.len(20) + Whole(look.len(60) / 2.0) - 20,
                      look.len(54) + Whole(look.len(60) / 2.0) - 20, sym);
        }
      }
    }
  }
}

void DrawScorePanelArea(const TableLook& look, QImage& area, const Rect& r, int marker, bool full,
                        int seriesScore, int trickGain, int dealPoints) {
  // The clean panel: background and panel picture, the source of every cell restore.
  QImage clean = AreaWithBackground(look, r);
  {
    QPainter p(&clean);
    DrawPanelPicture(look, p, "TabloSm", "TabloBg", 0, 0, r.width, r.height);
  }
  if (area.size() != clean.size()) area = clean;
  QPainter p(&area);
  if (full) p.drawImage(0, 0, clean);
  auto cell = [&](double x, double y, double w, double h) {
    return QRect(look.len(x), look.len(y), look.len(w), look.len(h));
  };
  auto restore = [&](const QRect& c) {
    p.setCompositionMode(QPainter::CompositionMode_Source);
    const double k = clean.devicePixelRatio();
    p.drawImage(QRectF(c), clean, QRectF(c.x() * k, c.y() * k, c.width() * k, c.height() * k));
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  };
  const QRect a = cell(15, 15, 125, 31), b = cell(15, 50, 35, 31), c = cell(55, 50, 45, 31),
              d = cell(105, 50, 35, 31);
  if (marker == kMarkSeat) {
    restore(b);
    const QImage hand = ProgramPicture("Hand_Right");
    if (!hand.isNull()) p.drawImage(look.len(18), look.len(54), StretchedFine(hand, look.len(30), look.len(20), look.dpr));
  } else if (marker == kUnmarkSeat) {
    restore(b);
  }
  if (dealPoints != kKeepField) {
    restore(a);
    if (dealPoints != kClearField) {
      p.setFont(RoleFont(look, FontRoleId::Decor, 30));
      p.setPen(FromBgr(0xFF00FF));
      DrawCentred(p, 0, look.len(155), look.len(16), Signed(dealPoints));
    }
  }
  if (trickGain != kKeepField) {
    restore(d);
    if (trickGain != kClearField) {
      p.setFont(RoleFont(look, FontRoleId::Decor, 20));
      p.setPen(FromBgr(0xFF0000));
      DrawCentred(p, look.len(105), look.len(142), look.len(54), QString::number(trickGain));
    }
  }
  if (seriesScore != kKeepField) {
    restore(c);
    if (seriesScore != kClearField) {
      p.setFont(RoleFont(look, FontRoleId::Decor, 20, true));
      p.setPen(FromBgr(0x0000FF));
      DrawCentred(p, look.len(55), look.len(100), look.len(55), Signed(seriesScore));
    }
  }
}

int NamePlateFontPixels(const TableLook& look, const QString& name) {
  const QString trimmed = QString(name).remove(QRegularExpression(" +$"));
  for (int h : {18, 16}) {
    const QFont f = RoleFont(look, FontRoleId::Serif, h, true);
    if (QFontMetrics(f).horizontalAdvance(trimmed) <= look.len(150)) return f.pixelSize();
  }
  return RoleFont(look, FontRoleId::Serif, 14, true).pixelSize();
}

void DrawNamePlateArea(const TableLook& look, QImage& area, const Rect& r, const QString& name,
                       char colour) {
  PaintBackground(look, area, r);
  if (name.isEmpty()) return;
  QString plate;
  switch (colour) {
    case 'b': plate = "SPBlue"; break;
    case 'g': plate = "SPGreen"; break;
    case 'r': plate = "SPRed"; break;
    case 'o': plate = "SPFiolet"; break;
    default: plate = "SPYellow"; break;
  }
  QPainter p(&area);
  QImage img = ProgramPicture(look.smallWindow ? plate : plate + "B");
  img = look.smallWindow ? StretchedFine(img, img.width(), img.height(), look.dpr)
                         : StretchedFine(img, r.width, r.height, look.dpr);
  if (!img.isNull()) p.drawImage(0, 0, img);
  QFont font = RoleFont(look, FontRoleId::Serif, 18, true);
  font.setPixelSize(NamePlateFontPixels(look, name));
  p.setFont(font);
  p.setPen(Qt::white);
  const QFontMetrics m(font);
  DrawCentred(p, 0, look.len(160), Whole((r.height - m.height()) / 2.0), name);
}

void DrawTurnTimerArea(const TableLook& look, QImage& area, const Rect& r, int seconds) {
  PaintBackground(look, area, r);
  if (seconds == -1) return;
  QPainter p(&area);
  const bool hurry = seconds < 8;
  const QImage img = StretchedFine(ProgramPicture(hurry ? "GTimerR" : "GTimerY"), r.width, r.height, look.dpr);
  if (!img.isNull()) p.drawImage(0, 0, img);
  const QFont font = RoleFont(look, FontRoleId::Serif, 18, true);
  p.setFont(font);
  p.setPen(FromBgr(hurry ? 0x00FFFF : 0x0000FF));
  DrawCentred(p, 0, r.width, Whole((r.height - QFontMetrics(font).height()) / 2.0),
              QString::number(seconds));
}

void DrawDealCounterArea(const TableLook& look, QImage& area, const Rect& r, const QString& word,
                         int deal) {
  PaintBackground(look, area, r);
  QPainter p(&area);
  DrawPanelPicture(look, p, "RamkaFBSm", "RamkaFBBg", 0, 0, r.width, r.height);
  p.setFont(RoleFont(look, FontRoleId::Decor, 30));
  p.setPen(FromBgr(0xFF0000));
  DrawCentred(p, 0, r.width, look.len(14), word + ": " + QString::number(deal));
}

QString FitMessage(const TableLook& look, const QString& text) {
  QString s = text.mid(1);
  const QFontMetrics m(RoleFont(look, FontRoleId::Serif, 14));
  int cut = 0;
  while (!s.isEmpty() && m.horizontalAdvance(s) > look.len(85) && cut < 12) {
    s.chop(1);
    ++cut;
  }
  if (cut > 0) s += "...";
  return s;
}

void MessagePanel::Add(const TableLook& look, int source, const QString& text) {
  static constexpr uint32_t kColours[5] = {0x000000, 0x000080, 0x800000, 0x008000, 0x008080};
  const QString s = FitMessage(look, text);
  int slot = 0;
  for (int j = 1; j <= 4 && !slot; ++j)
    if (line[j].isNull()) slot = j;
  if (!slot) {
    for (int j = 1; j < 4; ++j) {
      line[j] = line[j + 1];
      colour[j] = colour[j + 1];
    }
    slot = 4;
  }
  line[slot] = s;
  colour[slot] = FromBgr(kColours[std::clamp(source, 1, 4)]).rgb();
}

void MessagePanel::Draw(const TableLook& look, QImage& area, const Rect& r) const {
  PaintBackground(look, area, r);
  QPainter p(&area);
  const QImage small = look.smallWindow ? ProgramPicture("RamkaERSm") : QImage();
  const QImage frame = look.smallWindow ? StretchedFine(small, small.width(), small.height(), look.dpr)
                                        : StretchedFine(ProgramPicture("RamkaERBg"), r.width, r.height, look.dpr);
  if (!frame.isNull()) p.drawImage(0, 0, frame);
  const QFont font = RoleFont(look, FontRoleId::Serif, 14);
  p.setFont(font);
  for (int j = 1; j <= 4; ++j) {
    if (line[j].isNull()) continue;
    p.setPen(QColor::fromRgb(colour[j]));
    p.drawText(look.len(20), look.len(14 * j + 3) + QFontMetrics(font).ascent() - look.len(12), line[j]);
  }
}

QImage RecolourCaption(const QImage& picture, int variant) {
  if (variant <= 1 || variant > 8 || picture.isNull()) return picture;
  QImage out = picture.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < out.height(); ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x) {
      int r = qRed(row[x]), g = qGreen(row[x]), b = qBlue(row[x]);
      const int a = qAlpha(row[x]);
      switch (variant) {
        case 2:
          if (g < r && b < r) {
            b = static_cast<int>(std::min(b, g) * 0.7);
            g = std::clamp(b + Whole(std::abs(r - b) * 0.4), 0, 255);
          }
          break;
        case 3: g = r; break;
        case 4: std::swap(r, g); break;
        case 5: {
          const int oldR = r;
          r = b;
          g = oldR;
          b = oldR;
          break;
        }
        case 6: std::swap(r, b); break;
        case 7: b = r; break;
        case 8: r = g = b = std::clamp(Whole(0.3 * r + 0.59 * g + 0.11 * b), 0, 255); break;
      }
      row[x] = qRgba(r, g, b, a);
    }
  }
  return out;
}

}  // namespace zarnet
