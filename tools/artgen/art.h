// Shared pieces of the picture generator.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <vector>

namespace artgen {

// Where pictures go and which resource type each belongs to.
class Sink {
 public:
  explicit Sink(QString root) : root_(std::move(root)) {}
  void Png(const QString& name, const QImage& img) { Save("RCDATA", name, img, "PNG"); }
  // Bitmaps carry no alpha: they are flattened on `ground`.
  void Bitmap(const QString& name, const QImage& img, QColor ground = Qt::white);
  void Jpeg(const QString& name, const QImage& img, int quality = 90) {
    Save("JPEG", name, img, "JPG", quality);
  }
  void Gif(const QString& name, const std::vector<QImage>& frames, int delayCs, bool loop = true);
  // Animated cursors: the frames side by side in one PNG strip.
  void AniCursor(const QString& name, const std::vector<QImage>& frames);
  void Cursor(const QString& name, const QImage& img) { Save("CURSOR", name, img, "PNG"); }
  void Raw(const QString& type, const QString& name, const QByteArray& data);
  bool WriteQrc(const QString& path) const;
  bool ok() const { return ok_; }

 private:
  void Save(const QString& type, const QString& name, const QImage& img, const char* fmt,
            int quality = -1);
  QString root_;
  QStringList entries_;
  bool ok_ = true;
};

// Words by id, ten languages each (words.tsv).
using Words = std::map<QString, QStringList>;
bool ReadWords(const QString& path, Words* out);

inline QImage Blank(int w, int h) {
  QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  return img;
}

// The frames of an animation, each painted by `paint(p, frame)` on its own clear
// picture with antialiasing on.
inline std::vector<QImage> Frames(int w, int h, int count,
                                  const std::function<void(QPainter&, int)>& paint) {
  std::vector<QImage> out;
  for (int f = 0; f < count; ++f) {
    QImage img = Blank(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    paint(p, f);
    out.push_back(img);
  }
  return out;
}

void PaintFaces(Sink& sink);
void PaintBacks(Sink& sink);
void PaintBackgrounds(Sink& sink);
void PaintSkins(Sink& sink);
void PaintPanels(Sink& sink, const Words& words);
void PaintExtras(Sink& sink, const Words& words);
// False when a flag has a step the painter does not know.
bool PaintFlags(Sink& sink);
QString CountryFlagName(const QString& englishName);
// The program's icon as OUT/hicolor/SIZExSIZE/apps/NAME.png and the scalable NAME.svg.
bool PaintIcons(const QString& out, const QString& name);

// Picture codes of the eight languages that have pictures of their own.
inline const char* const kLangCodes[8] = {"Eng", "Rus", "Deu", "Fra", "Spa", "Chi", "Ita", "Cze"};
QFont Font(const QString& family, int px, bool bold = true);
QString FamilyFor(int lang);
QImage Plate(int w, int h, QColor c, double radius);
void OutlinedText(QPainter& p, const QRectF& box, const QString& text, const QString& family,
                  QColor fill, QColor edge);

// Suit outlines in a unit box centred on 0,0; suit 0..3 hearts, diamonds, clubs, spades.
QPainterPath SuitPath(int suit);
QColor SuitColor(int suit);
void DrawSuit(QPainter& p, int suit, QPointF centre, double size, bool flipped = false);
// The white card under a face or a back of w x h: small cards are filled to the
// edge, large ones get rounded corners and a grey rim.
void CardGround(QPainter& p, int w, int h, bool small);

}  // namespace artgen
