#include "calendar_panel.h"

#include <QFont>
#include <QPainter>

namespace zarnet {

namespace {

QString Utf8(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

void DrawCentred(QPainter& p, const QString& text, const QFont& font, QColor colour, int y) {
  p.setFont(font);
  p.setPen(colour);
  p.drawText(QRect(0, y, kCalendarWidth, kCalendarHeight - y), Qt::AlignHCenter | Qt::AlignTop, text);
}

}  // namespace

// --- TCalendarPicture ---

TCalendarPicture::TCalendarPicture(QWidget* parent) : QWidget(parent) {
  setFixedSize(kCalendarWidth, kCalendarHeight);
  hide();
}

void TCalendarPicture::SetPicture(const QImage& picture, const QString& hint) {
  picture_ = picture;
  setToolTip(hint);
  update();
}

void TCalendarPicture::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, picture_);
}

// --- TCalendar ---

TCalendar::TCalendar(QWidget* mainWindow, std::unique_ptr<PictureSource> source)
    : QObject(mainWindow),
      ImCalL(new TCalendarPicture(mainWindow)),
      ImCalR(new TCalendarPicture(mainWindow)),
      TimerCal(new QTimer(this)),
      source_(std::move(source)) {
  // The panels' font is named as the game names it; Debian carries its free lookalike.
  if (QFont::substitutes("Comic Sans MS").isEmpty())
    QFont::insertSubstitution("Comic Sans MS", "Comic Neue");
  TimerCal->setInterval(10000);
  connect(TimerCal, &QTimer::timeout, this, &TCalendar::TimerCalTimer);
}

bool TCalendar::Shown() const { return !ImCalL->isHidden(); }

void TCalendar::SetShown(bool shown) {
  const bool was = Shown();
  ImCalL->setVisible(shown);
  ImCalR->setVisible(shown);
  if (was != shown) emit ShownChanged(shown);
}

void TCalendar::FillBackground(QImage& picture, QPoint at) const {
  picture.fill(Qt::transparent);
  const QImage* bg = Background ? Background() : nullptr;
  if (!bg || bg->isNull()) return;
  QPainter p(&picture);
  p.drawImage(-at.x(), -at.y(), *bg);
}

bool TCalendar::BuildCalendar(const QString& fontName, int monthFontSize, int dayFontSize) {
  if (!source_->Open(kCalendarLibrary)) return false;
  const QImage base = source_->Read("RCDATA", "R_BASE");
  if (base.isNull()) {
    // A damaged library shows nothing rather than bare pictures.
    source_->Close();
    return false;
  }
  const QDate now = Now().date();
  const Date today{now.year(), now.month(), now.day()};
  const auto holidays = HolidaysOn(today);
  const QPoint left = ImCalL->pos(), right = ImCalR->pos();

  auto start = [&](int slot, QPoint at) -> QPainter* {
    QImage& pic = Pictures[slot];
    if (pic.size() != QSize(kCalendarWidth, kCalendarHeight))
      pic = QImage(kCalendarWidth, kCalendarHeight, QImage::Format_ARGB32_Premultiplied);
    FillBackground(pic, at);
    auto* p = new QPainter(&pic);
    p->setRenderHint(QPainter::TextAntialiasing);
    p->drawImage(0, 0, base);
    return p;
  };

  // Slot 1: the day, the month and the sign.
  {
    std::unique_ptr<QPainter> p(start(1, left));
    QFont dayFont(fontName);
    dayFont.setPointSize(dayFontSize > 0 ? dayFontSize : 12);
    const QColor dayColour = Weekday(today) == 1 ? QColor(255, 0, 0) : QColor(0, 0, 0);
    DrawCentred(*p, QString::number(today.day), dayFont, dayColour, 22);
    const QString month = Utf8(WordUtf8(MonthWord(today.month)));
    QFont monthFont(fontName);
    monthFont.setPointSize((monthFontSize > 0 ? monthFontSize : 8) - (month.size() > 8 ? 1 : 0));
    DrawCentred(*p, month, monthFont, Qt::black, 42);
    const int sign = ZodiacSign(today);
    p->drawImage(17, 65, source_->Read("RCDATA", QString::fromStdString(SignPicture(sign))));
    Hints[1] = Utf8(WordUtf8(SignWord(sign)));
  }
  // Slot 2: the animal of the year.
  {
    std::unique_ptr<QPainter> p(start(2, right));
    const int animal = AnimalOfYear(today.year);
    p->drawImage(3, 27, source_->Read("RCDATA", QString::fromStdString(AnimalPicture(animal))));
    Hints[2] = Utf8(WordUtf8(AnimalWord(animal)));
  }
  // Slots 3..: today's holidays in table order.
  for (size_t i = 0; i < holidays.size(); ++i) {
    const int slot = 3 + int(i);
    std::unique_ptr<QPainter> p(start(slot, right));
    const HolidayEntry& e = HolidayTable()[holidays[i].entry];
    p->drawImage(3, 27, source_->Read("RCDATA", QString::fromStdString(e.picture)));
    Hints[slot] = Utf8(HolidayHint(holidays[i]));
  }
  for (int slot = 3 + int(holidays.size()); slot <= kCalendarSlots; ++slot) Hints[slot].clear();
  CalendarSize = 2 + int(holidays.size());
  built_ = now;
  source_->Close();
  return true;
}

void TCalendar::ShowCalendar() {
  const double sx = Factors.ScaleX, sy = Factors.ScaleY;
  const int top = Whole(95 * sy) + Whole((sy - 1) * 50);
  ImCalL->move(Whole(150 * sx) + Whole((sx - 1) * 30), top);
  ImCalR->move(Whole(550 * sx) + Whole((sx - 1) * 30), top);
  for (int slot = 1; slot <= kCalendarSlots; ++slot) {
    Pictures[slot] = QImage(kCalendarWidth, kCalendarHeight, QImage::Format_ARGB32_Premultiplied);
    FillBackground(Pictures[slot], slot == 1 ? ImCalL->pos() : ImCalR->pos());
    Hints[slot].clear();
  }
  if (!BuildCalendar("Comic Sans MS", 0, 0)) {
    TimerCal->stop();
    SetShown(false);
    return;
  }
  ImCalL->SetPicture(Pictures[1], Hints[1]);
  TimerCal->start(10000);
  SetShown(true);
  CycleSlot = 2;
  ImCalR->SetPicture(Pictures[2], Hints[2]);
}

void TCalendar::TimerCalTimer() {
  const QDateTime now = Now();
  const bool menu = MenuShown ? MenuShown() : true;
  // Just after midnight the day changes; a tick held up past that window
  // (a long blocking request) still finds the stale day.
  if (menu && (now.time() <= QTime(0, 0, 30) || now.date() != built_)) {
    ShowCalendar();
    if (!TimerCal->isActive()) return;  // the library has gone
  }
  if (!menu) SetShown(false);
  CycleSlot = CycleSlot >= CalendarSize ? 2 : CycleSlot + 1;
  ImCalR->SetPicture(Pictures[CycleSlot], Hints[CycleSlot]);
  if (Tick) Tick();
}

}  // namespace zarnet
