#include "art_names.h"

#include <QPainter>
#include <cmath>

namespace zarnet {

namespace {

const char* const kDesignParts[48] = {
    "",    "Med", "Mod", "Anc", "Bar", "Cel", "Cor", "Cro", "Eng", "Fra", "His", "Nat",
    "Old", "Par", "Roy", "Sha", "Big", "004", "Lon", "Cl2", "Hea", "Sea", "Rhi", "Me2",
    "Doo", "Boy", "Epi", "USR", "Pla", "SkN", "SkT", "SkF", "Bel", "Dia", "Kny", "Pas",
    "Rus", "Sla", "May", "Lub", "Fra", "Mus", "BS1", "BS2", "BS3", "Chi", "BIt", "Cze"};

const char* const kSetParts[13] = {"",    "Cl1", "Cl2", "Car", "Cro", "Che", "Dia",
                                   "Kni", "Ani", "Flo", "Pla", "Oth", "Rus"};

const char* const kBackBases[10] = {"Ob01Mo", "Ob02Tu", "Ob03We", "Ob04Th", "Ob05Fr",
                                    "Ob06Su", "Ob07Su", "Ob08XX", "Ob09XX", "Ob10XX"};

const char* const kColourParts[7] = {"Gr", "Re", "Or", "Ye", "B1", "B2", "Fi"};
const char* const kSuitPrefix[4] = {"Ch", "Bu", "Kr", "Pi"};
const char* const kSuitNames[4] = {"Cher", "Bubi", "Kres", "Piki"};
// Rank parts of slots 1..36 by rank position, then of slots 41..56.
const char* const kHighRanks[9] = {"06", "07", "08", "09", "10", "2J", "3Q", "4K", "5A"};
const char* const kLowRanks[4] = {"02", "03", "04", "05"};

QString PipPart(int design) {
  switch (design) {
    case 6: case 7: case 10: case 13: return "Mod";
    case 19: case 20: return "Sea";
    case 25: return "Rhi";
    case 27: return "Big";
    default: return DesignPart(design);
  }
}

QString AcePart(int design) {
  switch (design) {
    case 7: case 10: case 13: return "Mod";
    case 19: case 20: return "Sea";
    default: return DesignPart(design);
  }
}

QString SymbolPart(int design) { return design == 11 ? QString("Mod") : PipPart(design); }

// Rank position within its block: 1..9 for 6..ace, 1..4 for 2..5; 0 for none.
int HighRank(char r) {
  switch (r) {
    case '6': return 1;
    case '7': return 2;
    case '8': return 3;
    case '9': return 4;
    case '1': return 5;
    case kJack: return 6;
    case kQueen: return 7;
    case kKing: return 8;
    case kAce: return 9;
    default: return 0;
  }
}

}  // namespace

QString DesignPart(int design) { return design >= 0 && design < 48 ? kDesignParts[design] : ""; }

int MakeWhole(double v) { return static_cast<int>(std::nearbyint(v)); }

int FaceSlot(CardCode code) {
  const int suit = SuitIndexOf(code.suit);
  if (code.rank == 'j' && code.suit >= '1' && code.suit <= '3') return 37 + (code.suit - '1');
  if (suit == 0) return 0;
  if (const int r = HighRank(code.rank)) return 4 * (r - 1) + suit;
  if (code.rank >= '2' && code.rank <= '5') return 40 + 4 * (code.rank - '2') + suit;
  return 0;
}

QString FaceBaseName(int slot) {
  if (slot >= 1 && slot <= 36) return QString(kSuitPrefix[(slot - 1) % 4]) + kHighRanks[(slot - 1) / 4];
  if (slot >= 41 && slot <= 56) return QString(kSuitPrefix[(slot - 41) % 4]) + kLowRanks[(slot - 41) / 4];
  return {};
}

QString FaceResourceName(int slot, int design, bool large) {
  const QString base = FaceBaseName(slot);
  if (base.isEmpty()) return {};
  const QString rank = base.mid(2);
  QString part;
  if (rank == "2J" || rank == "3Q" || rank == "4K") part = DesignPart(design);
  else if (rank == "5A") part = AcePart(design);
  else part = PipPart(design);
  return base + part + (large ? "B" : "");
}

QString SuitResourceName(int suit, int design, bool large) {
  return QString(kSuitNames[suit & 3]) + SymbolPart(design) + (large ? "B" : "");
}

QString FaceLibrary(int design) {
  if (design >= 1 && design <= 31) return "KuvCards06A.dll";
  if (design >= 32 && design <= 39) return "KuvCards06B.dll";
  if (design >= 40 && design <= 47) return "KuvCards06C.dll";
  return {};
}

bool IsWideDesign(int design) { return (design >= 0 && design <= 27) || design == 40 || design == 45; }

int BackCount(int set) { return set >= 8 && set <= 11 ? 10 : 7; }

QString BackResourceName(int back, int set, bool rotated, const QString& suffix) {
  return QString(kBackBases[(back - 1) % 10]) + (rotated ? "R" : "") + kSetParts[set] + suffix;
}

QString BackgroundResourceName(int pattern, int colour, bool smallWindow) {
  const QString suffix = smallWindow ? "" : "B";
  if (pattern == 2 && colour == 0) return "FonG" + suffix;
  return QString("Fon%1%2%3").arg(pattern, 2, 10, QChar('0')).arg(kColourParts[colour]).arg(suffix);
}

void InvertEllipse(QImage& picture, QRect box) {
  QImage mask(picture.size(), QImage::Format_Grayscale8);
  mask.fill(0);
  {
    QPainter p(&mask);
    p.setPen(QPen(Qt::white, 0));
    p.setBrush(Qt::white);
    p.drawEllipse(QRect(box.left(), box.top(), box.width() - 1, box.height() - 1));
  }
  const QImage::Format format = picture.format();
  QImage img = picture.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < img.height(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    const uchar* m = mask.constScanLine(y);
    for (int x = 0; x < img.width(); ++x)
      if (m[x]) line[x] = qRgba(255 - qRed(line[x]), 255 - qGreen(line[x]), 255 - qBlue(line[x]), qAlpha(line[x]));
  }
  picture = img.convertToFormat(format);
}

QRect FaceEllipse(bool large, bool wide) {
  if (!large) return QRect(10, 10, 49, 74);
  return wide ? QRect(10, 10, 126, 178) : QRect(10, 10, 106, 178);
}

}  // namespace zarnet
