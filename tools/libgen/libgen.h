// Shared pieces of the library builder.
#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>

#include "art.h"

namespace libgen {

// The face designs of one library ("KuvCards06A.dll", ...), read from the card decks
// folder. False when a deck is missing or a picture cannot be made.
// The decks a library was rendered from are added to used.
bool PaintFaceLibrary(artgen::Sink& sink, const QString& library, const QString& decks, QStringList* used);
// Back sets 1..12 and the built-in set's narrow large backs.
bool PaintBackSets(artgen::Sink& sink, const QString& decks, QStringList* used);
// The copyright and licence text of the decks, from the deck package's copyright file.
QByteArray DeckNotices(const QString& decksFolder, const QString& copyrightFile, const QStringList& decks);
// Table backgrounds: patterns 1..10 in the seven colours, both window sizes.
void PaintBackgroundLibrary(artgen::Sink& sink);
// The window graphics: library background, touch strip, lobby backdrop.
void PaintGraphLibrary(artgen::Sink& sink);

// PNG bytes of a picture in at most 256 colours (with alpha), or true colour when the
// palette would show.
QByteArray PalettePng(const QImage& picture);

// Small deterministic noise shared by the painters.
double ValueNoise(double x, double y, unsigned seed);
double Fractal(double x, double y, int octaves, unsigned seed);

}  // namespace libgen
