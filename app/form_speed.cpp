#include "form_speed.h"

#include <QLabel>
#include <QPainter>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTimer>
#include <QVBoxLayout>

#include "kuv_button.h"
#include "resources.h"

namespace zarnet {

namespace {

// A small card crossing a strip, one step per tick: the speed made visible.
class FlightIcon : public QWidget {
 public:
  explicit FlightIcon(const FormStyle& style, QWidget* parent) : QWidget(parent) {
    setObjectName("Image48");
    card_ = QImage(":/BITMAP/Kr5A");
    const int h = style.Len(40);
    if (!card_.isNull()) card_ = card_.scaledToHeight(h, Qt::SmoothTransformation);
    setFixedHeight(h + 4);
  }
  void Step() {
    const int span = std::max(1, width() - card_.width());
    x_ = (x_ + std::max(2, span / 40)) % span;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawLine(0, height() / 2, width(), height() / 2);
    if (!card_.isNull()) p.drawImage(x_, 2, card_);
  }

 private:
  QImage card_;
  int x_ = 0;
};

// The bar with the numbers under its stops.
class SpeedBar : public QWidget {
 public:
  SpeedBar(QSlider* slider, const FormStyle& style, QWidget* parent) : QWidget(parent), slider_(slider) {
    slider_->setParent(this);
    for (int v = 1; v <= 6; ++v) {
      auto* l = MakeLabel(QString("Label%1").arg(v), QString::number(v), style.Font(14, true), this);
      l->setAlignment(Qt::AlignCenter);
      labels_[v - 1] = l;
    }
    labelHeight_ = style.Len(20);
    setMinimumSize(style.Len(300), slider_->sizeHint().height() + labelHeight_);
  }

 protected:
  void resizeEvent(QResizeEvent*) override {
    const int sh = slider_->sizeHint().height();
    slider_->setGeometry(0, 0, width(), sh);
    QStyleOptionSlider opt;
    opt.initFrom(slider_);
    opt.orientation = Qt::Horizontal;
    opt.minimum = slider_->minimum();
    opt.maximum = slider_->maximum();
    opt.rect = slider_->rect();
    const QRect handle = slider_->style()->subControlRect(QStyle::CC_Slider, &opt,
                                                          QStyle::SC_SliderHandle, slider_);
    const int span = width() - handle.width();
    for (int v = 1; v <= 6; ++v) {
      const int x = QStyle::sliderPositionFromValue(1, 6, v, span) + handle.width() / 2;
      labels_[v - 1]->setGeometry(x - labelHeight_, sh, 2 * labelHeight_, labelHeight_);
    }
  }

 private:
  QSlider* slider_;
  QLabel* labels_[6] = {};
  int labelHeight_ = 20;
};

}  // namespace

int TFormSpeed::TimerInterval(int speed) {
  static constexpr int kIntervals[6] = {110, 95, 80, 65, 40, 25};
  return kIntervals[std::clamp(speed, 1, 6) - 1];
}

TFormSpeed::TFormSpeed(int* flySpeed, const FormStyle& style, QWidget* parent)
    : TRecordDialog(parent), flySpeed_(flySpeed) {
  InitArtResources();
  setObjectName("FormSpeed");
  setWindowTitle(WordText(WordId::ChoiceOfSpeed));
  const int start = flySpeed_ && *flySpeed_ >= 1 && *flySpeed_ <= 6 ? *flySpeed_ : 4;

  auto* label0 = MakeLabel("Label0", WordText(WordId::SelectAFlightSpeedOfCards),
                           style.Font(16, true), this);
  auto* icon = new FlightIcon(style, this);
  TrackBar1 = new QSlider(Qt::Horizontal);
  TrackBar1->setObjectName("TrackBar1");
  TrackBar1->setRange(1, 6);
  TrackBar1->setPageStep(1);
  TrackBar1->setTickPosition(QSlider::TicksBelow);
  TrackBar1->setTickInterval(1);
  TrackBar1->setValue(start);
  auto* bar = new SpeedBar(TrackBar1, style, this);

  Timer48 = new QTimer(this);
  Timer48->setObjectName("Timer48");
  Timer48->setInterval(TimerInterval(start));
  connect(Timer48, &QTimer::timeout, icon, &FlightIcon::Step);
  Timer48->start();
  connect(TrackBar1, &QSlider::valueChanged, this, &TFormSpeed::TrackBar1Change);

  QVBoxLayout* all = MakeFrame(style);
  all->addWidget(label0);
  all->addWidget(icon);
  all->addWidget(bar);
  QWidget* ok = AddOkButton(all, style, [this] { Button1Click(); });
  setTabOrder(TrackBar1, ok);
  TrackBar1->setFocus();
}

void TFormSpeed::TrackBar1Change(int value) {
  if (flySpeed_) *flySpeed_ = value;
  Timer48->setInterval(TimerInterval(value));
}

void TFormSpeed::Button1Click() {
  if (TouchEffect) TouchEffect();
  accept();
}

}  // namespace zarnet
