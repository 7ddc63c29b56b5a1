// Card flights: a card picture sliding pixel by pixel over a frozen copy of
// the window, blocking until it arrives.
#pragma once

#include <QImage>
#include <QRect>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "card_art.h"

namespace zarnet {

class TSprite {
 public:
  // The corners x_, y_ (left, top) and z_, t_ (right, bottom); CW the card code:
  // a face, "00" the back of the day, "No", "##" or "--" a blank card.
  // dpr: device pixels per window pixel of the buffers it is composed into.
  TSprite(int x_, int y_, int z_, int t_, CardCode CW, const CardArt& art, double dpr = 1.0);

  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  QRect Rect() const { return {FLeft, FTop, FWidth, FHeight}; }
  // Puts the sprite into the work buffer (in device pixels) at its corner.
  void Compose(QImage& work) const;
  // The sprite's rect in the buffers' device pixels.
  QRect PixelRect() const;

  int FWidth = 0, FHeight = 0;
  int FLeft = 0, FTop = 0;
  QImage FAndImage, FOrImage;  // small card size: mask and picture on black
  QImage ImBMP2;               // larger sizes: the card with transparency

 private:
  bool small_ = true;
  double dpr_ = 1.0;
  // Larger sizes: per row, the run of fully opaque pixels [first, end).
  std::vector<std::pair<int, int>> opaqueRun_;
};

// The points a flight visits after its start, one pixel along the main axis a step.
std::vector<QPoint> FlightPath(int x0, int y0, int x1, int y1);

// Where a flight shows itself.
struct FlightWindow {
  std::function<QImage()> Grab;                            // the client area as it stands
  std::function<void(const QImage&, const QRect&)> Present;  // copy a rect of the work buffer out
  std::function<void(int ms)> Sleep;
};

class CardFlight {
 public:
  CardFlight(const CardArt& art, FlightWindow window) : art_(art), window_(std::move(window)) {}

  void SetWindow(FlightWindow window) { window_ = std::move(window); }

  // The whole flight; returns the steps taken.
  int FlyCard(int x0, int y0, int x1, int y1, CardCode code, bool erase, int speed);

  void MoveSprite(int x, int y);
  void EraseSprite();

  bool FlightRunning = false;
  // The frozen window, for repaints during a flight, in device pixels.
  const QImage& CleanBuffer() const { return clean_; }
  const QImage& WorkBuffer() const { return work_; }
  // Device pixels per window pixel of the two buffers.
  double DevicePixelRatio() const { return dpr_; }

  // For the benchmark: set up buffers and a sprite without a window grab.
  void Prepare(const QImage& window, CardCode code, int x, int y);

 private:
  void StepPause(int speed);
  const CardArt& art_;
  FlightWindow window_;
  QImage clean_, work_;
  std::unique_ptr<TSprite> sprite_;
  uint8_t pauseCycle_ = 0;
  double dpr_ = 1.0;
  // A window rect in the buffers' device pixels.
  QRect Pixels(const QRect& r) const;
};

}  // namespace zarnet
