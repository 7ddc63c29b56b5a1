// A picture control of the window: it shows its own off-screen picture and
// hands mouse events to whoever placed it.
#pragma once

#include <QHelpEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
#include <functional>

namespace zarnet {

class TImageArea : public QWidget {
 public:
  explicit TImageArea(QWidget* parent) : QWidget(parent) { setMouseTracking(true); }

  QImage picture;
  std::function<void(QMouseEvent*)> MouseUp;
  std::function<void(QMouseEvent*)> MouseMove;
  std::function<void()> Click;
  // A balloon of its own; true when it handled the event.
  std::function<bool(QHelpEvent*)> ToolTip;

  // Shows the picture now: the engine's pacing relies on a drawn table.
  void Refresh() { repaint(); }

 protected:
  bool event(QEvent* e) override {
    if (e->type() == QEvent::ToolTip && ToolTip && ToolTip(static_cast<QHelpEvent*>(e))) return true;
    return QWidget::event(e);
  }
  void paintEvent(QPaintEvent*) override {
    if (picture.isNull()) return;
    QPainter p(this);
    p.drawImage(0, 0, picture);
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (MouseUp) MouseUp(e);
    if (Click && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) Click();
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    if (MouseMove) MouseMove(e);
  }
};

}  // namespace zarnet
