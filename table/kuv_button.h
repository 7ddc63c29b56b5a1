// The button of every window: a face painted from small skins, recoloured into one of
// eight schemes and optionally lightened, with hover, pressed, disabled and focus looks.
#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QImage>

namespace zarnet {

enum class TColorSB { DRed, DGreen, DBlue, DNavy, DYellow, DViolet, DOrang, DCards };
enum class THeightSB { D30, D45, D60 };
enum class TButtonLayout { GlyphLeft, GlyphRight, GlyphTop };

// A colour given as $BBGGRR.
inline QColor FromBgr(uint32_t bgr) { return QColor(bgr & 0xff, (bgr >> 8) & 0xff, (bgr >> 16) & 0xff); }
// Captions on the graphics library's "DCards" faces: light, as the violet
// face is dark.
inline QColor LibraryCaptionColour() { return QColor(0xFF, 0xF0, 0xC8); }

// The scheme's transform of one pixel, then the lightening by `light` percent. In the
// alternative style only near-red pixels take the DCards colours and the lightening.
QRgb TransformSB(QRgb pixel, TColorSB scheme, int light, bool nata);

class TKuvCardsButton : public QAbstractButton {
  Q_OBJECT

 public:
  explicit TKuvCardsButton(QWidget* parent = nullptr);

  TColorSB ColorSB() const { return FColorSB; }
  void SetColorSB(TColorSB v);
  QColor ColorMouse() const { return FColorMouse; }
  void SetColorMouse(QColor v);
  bool LightFont() const { return FLightFont; }
  void SetLightFont(bool v);
  bool GrayDis() const { return FGrayDis; }
  void SetGrayDis(bool v);
  THeightSB HeightSB() const { return FHeightSB; }
  void SetHeightSB(THeightSB v);
  int KLightSB() const { return FKLightSB; }
  void SetKLightSB(int v);
  bool Kontur() const { return FKontur; }
  void SetKontur(bool v);
  bool Smooth() const { return FSmooth; }
  void SetSmooth(bool v);
  bool Nata() const { return FNata; }
  void SetNata(bool v);
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout v);
  int Margin() const { return FMargin; }
  void SetMargin(int v);
  // The caption's own colour (the font colour).
  QColor FontColor() const { return FFontColor; }
  void SetFontColor(QColor v);
  bool MouseInPos() const { return FMouseInPos; }

  // Size class: 1, 2, 3 for exactly 30, 45, 60 pixels, 0 for any other height.
  static int SizeClass(int height);
  // Width of the skin ends at a height.
  static int EndWidth(int height);
  // The face without caption, glyph or focus mark, as painted for this state.
  QImage PaintFace() const;
  // The whole button as one picture: what a paint event draws.
  QImage Render() const;

  QSize sizeHint() const override { return size(); }

  // The caption's room between the skin's ends (and beside the glyph).
  int CaptionRoom() const;
  // The font the caption is drawn in: the button's own, stepped down to no
  // less than 70 % while the caption is wider than its room.
  QFont CaptionFont() const;
  // Pixels the caption lacks even in that font; 0 when it fits.
  int CaptionShortfall() const;

 signals:
  void OnMouseEnter();
  void OnMouseLeave();
  void OnDrawButton(QRect rect, bool pressed, bool enabled, bool focused);

 protected:
  void paintEvent(QPaintEvent*) override;
  void enterEvent(QEnterEvent*) override;
  void leaveEvent(QEvent*) override;
  void changeEvent(QEvent*) override;
  void mouseDoubleClickEvent(QMouseEvent*) override;

 private:
  QImage Skin(const QString& piece) const;
  template <typename T>
  void Set(T& field, T v) {
    if (field == v) return;
    field = v;
    update();
  }

  QColor FColorMouse = QColor(255, 255, 0);
  bool FLightFont = false;
  TColorSB FColorSB = TColorSB::DRed;
  int FKLightSB = 0;
  THeightSB FHeightSB = THeightSB::D30;
  bool FGrayDis = false;
  bool FMouseInPos = false;
  bool FKontur = true;
  bool FSmooth = true;
  bool FNata = false;
  TButtonLayout FLayout = TButtonLayout::GlyphLeft;
  int FMargin = -1;
  QColor FFontColor = Qt::white;
};

}  // namespace zarnet
