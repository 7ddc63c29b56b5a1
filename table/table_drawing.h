// Drawing of the table's areas into their own pictures. Every area begins by
// painting the part of the table background under it, so areas never need
// clearing against each other.
#pragma once

#include <QFont>
#include <QImage>
#include <QString>
#include <array>

#include "card_art.h"
#include "game_state.h"
#include "layout.h"
#include "settings.h"

namespace zarnet {

enum class FontRoleId { Decor = 0, Serif = 1, Fixed = 2, Conew = 3 };

// What every area's drawing reads: the art, the scale and the font roles.
struct TableLook {
  const CardArt* art = nullptr;
  ScaleFactors f;
  std::array<FontRole, 4> fonts = Settings{}.Fonts;
  bool smallWindow = true;
  // Device pixels per window pixel: areas are drawn in the screen's real pixels.
  double dpr = 1.0;
  int len(double a) const { return ScaleLen(f, a); }
};

// Maps the game's font names to the free fonts installed beside it.
void InstallFontSubstitutes();

// A font of a role at a design height: ScaleLen first, then the role's percentage.
QFont RoleFont(const TableLook& look, FontRoleId role, double designHeight, bool bold = false);
// The same with an already scaled pixel height.
QFont RoleFontPixels(const TableLook& look, FontRoleId role, int pixels, bool bold = false);

// A picture of the program by name, whatever its resource type; null when absent.
QImage ProgramPicture(const QString& name);
// The picture stretched (bilinear) to w x h; unchanged when it already has that size.
QImage Stretched(const QImage& picture, int w, int h);
// The same for a window rect of w x h on a screen of `dpr`: stretched to the
// real pixels and marked with the ratio, so that it lands w x h.
QImage StretchedFine(const QImage& picture, int w, int h, double dpr);

// The part of the table background under an area at `r`.
void PaintBackground(const TableLook& look, QImage& area, const Rect& r);
// A fresh area picture of the rectangle's size with its background.
QImage AreaWithBackground(const TableLook& look, const Rect& r);

// Text centred between x0 and x1 with its top at y.
void DrawCentred(QPainter& p, int x0, int x1, int y, const QString& text);

void DrawHandArea(const TableLook& look, QImage& area, const Rect& r, const GameState& gs, int seat,
                  bool reveal);
void DrawDeckPanelArea(const TableLook& look, QImage& area, const Rect& r, CardCode trumpCard,
                       char trumpSuit, int deckNext);
void DrawScorePanelArea(const TableLook& look, QImage& area, const Rect& r, int marker, bool full,
                        int seriesScore, int trickGain, int dealPoints);
void DrawNamePlateArea(const TableLook& look, QImage& area, const Rect& r, const QString& name,
                       char colour);
// The name plate's font height after the two steps down for wide names.
int NamePlateFontPixels(const TableLook& look, const QString& name);
void DrawTurnTimerArea(const TableLook& look, QImage& area, const Rect& r, int seconds);
void DrawDealCounterArea(const TableLook& look, QImage& area, const Rect& r, const QString& word,
                         int deal);

// The last four messages of the table, each with its colour.
struct MessagePanel {
  std::array<QString, 5> line;  // 1..4
  std::array<QRgb, 5> colour{};
  // Adds a message: its first character goes, a long one is cut and marked "...".
  void Add(const TableLook& look, int source, const QString& text);
  void Draw(const TableLook& look, QImage& area, const Rect& r) const;
};
// The text as the panel keeps it: first character removed, cut to the width.
QString FitMessage(const TableLook& look, const QString& text);

// The menu captions' colour variants 1..8.
QImage RecolourCaption(const QImage& picture, int variant);

}  // namespace zarnet
