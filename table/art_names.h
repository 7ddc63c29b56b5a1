// Names and sizes of the art pictures, shared by the store and the tools that build
// the libraries it reads.
#pragma once

#include <QImage>
#include <QRect>
#include <QString>

#include "cards.h"

namespace zarnet {

// Face slot 1..56 of a card code, 0 when the code has no face.
int FaceSlot(CardCode code);
// Base name of a slot ("Ch02", "Pi5A"); empty for slots without a face.
QString FaceBaseName(int slot);
// The design's own part ("Med", ...); empty for the built-in design.
QString DesignPart(int design);
// Full resource name of a slot in a design: base + design part + "B" for large.
QString FaceResourceName(int slot, int design, bool large);
// "Cher" ... "Piki" + the design's symbol part (+ "B").
QString SuitResourceName(int suit, int design, bool large);
// The library a design comes from; empty for the built-in design.
QString FaceLibrary(int design);
bool IsWideDesign(int design);
// back 1..10; suffix "", "B" or "U".
QString BackResourceName(int back, int set, bool rotated, const QString& suffix);
int BackCount(int set);
QString BackgroundResourceName(int pattern, int colour, bool smallWindow);

inline constexpr const char* kBackLibrary = "KuvCards06B.dll";
inline constexpr const char* kBackgroundLibrary = "KuvBackG03.dll";
inline constexpr const char* kGraphLibrary = "KuvCGraph1.dll";

// Inverts the colours of a filled ellipse in the bounding box, keeping alpha.
void InvertEllipse(QImage& picture, QRect box);
// The ellipse every library face is inverted over once loaded.
QRect FaceEllipse(bool large, bool wide);
// Nearest whole number, ties to the even one.
int MakeWhole(double v);

}  // namespace zarnet
