// A contact sheet of the calendar: the two panels as the menu shows them on one
// date, the right panel through its cycle, and every picture of the library.
//   zarnet-calendarsheet OUT.png [yyyy-mm-dd [language 0..9]]
#include <QApplication>
#include <QDir>
#include <QPainter>
#include <cstdio>
#include <cstdlib>

#include "calendar_panel.h"

using namespace zarnet;

namespace {

void Label(QPainter& p, const QRect& box, const QString& text, int px = 12) {
  QFont f("DejaVu Sans");
  f.setPixelSize(px);
  p.setFont(f);
  p.setPen(QColor(0xf4, 0xee, 0xd0));
  p.drawText(box, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, text);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: zarnet-calendarsheet OUT.png [yyyy-mm-dd [language 0..9]]\n");
    return 2;
  }
  const QDate day = argc > 2 ? QDate::fromString(argv[2], Qt::ISODate) : QDate(2025, 2, 2);
  if (argc > 3) SetLanguageIndex(std::atoi(argv[3]));
  const QString folder = QCoreApplication::applicationDirPath() + "/../../Zarnet";

  CardArt art(std::make_unique<ResourceSource>(folder));
  art.Notice = [](const QStringList& l) { std::fprintf(stderr, "%s\n", qPrintable(l.join(' '))); };
  art.LoadBackground(false);

  QWidget window;
  window.setFixedSize(760, 500);
  TCalendar cal(&window, std::make_unique<ResourceSource>(folder));
  cal.Background = [&art] { return &art.Background; };
  cal.Now = [day] { return QDateTime(day, QTime(12, 0)); };
  cal.ShowCalendar();
  if (!cal.Shown()) {
    std::fprintf(stderr, "zarnet-calendarsheet: no calendar library in %s\n", qPrintable(folder));
    return 1;
  }

  const int cols = 7;
  const int libraryRows = (1 + 12 + 12 + 29 + cols - 1) / cols;
  const int top = 510;
  QImage sheet(760, top + libraryRows * 160 + 10, QImage::Format_RGB32);
  QPainter p(&sheet);
  p.fillRect(sheet.rect(), QColor(0x20, 0x30, 0x28));
  // The top of the menu screen with both panels in place.
  p.drawImage(QPoint(0, 0), art.Background, QRect(0, 0, 760, 220));
  p.drawImage(cal.ImCalL->pos(), cal.ImCalL->grab().toImage());
  p.drawImage(cal.ImCalR->pos(), cal.ImCalR->grab().toImage());
  Label(p, QRect(0, 6, 760, 20), day.toString("d MMMM yyyy, dddd") + QString(": %1 slots").arg(cal.CalendarSize), 14);
  Label(p, QRect(60, 200, 240, 30), cal.Hints[1]);

  // Both panels through the cycle, twice the size, with each hint.
  for (int slot = 1; slot <= cal.CalendarSize; ++slot) {
    while (slot >= 2 && cal.CycleSlot != slot) cal.TimerCalTimer();
    const QImage shot = (slot == 1 ? cal.ImCalL : cal.ImCalR)->grab().toImage();
    const int x = 10 + (slot - 1) * 150;
    p.drawImage(QPoint(x + 15, 236), shot.scaled(120, 200, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    Label(p, QRect(x, 440, 150, 64), cal.Hints[slot], 11);
  }

  // Every library picture, twice the size.
  ResourceSource lib(folder);
  lib.Open(kCalendarLibrary);
  QStringList names{"R_BASE"};
  for (int s = 1; s <= 12; ++s) names << QString::fromStdString(SignPicture(s));
  for (int a = 0; a < 12; ++a) names << QString::fromStdString(AnimalPicture(a));
  for (const HolidayEntry& e : HolidayTable())
    if (!names.contains(QString::fromStdString(e.picture))) names << QString::fromStdString(e.picture);
  for (int i = 0; i < names.size(); ++i) {
    const QImage img = lib.Read("RCDATA", names[i]);
    const QRect box((i % cols) * (760 / cols) + 4, top + (i / cols) * 160, 760 / cols - 8, 150);
    const QImage big = img.scaled(img.size() * 2, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    p.drawImage(box.center().x() - big.width() / 2, box.top(), big);
    Label(p, QRect(box.left() - 4, box.top() + 142, box.width() + 8, 16), names[i], 9);
  }
  p.end();
  QDir().mkpath(QFileInfo(QString::fromLocal8Bit(argv[1])).absolutePath());
  if (!sheet.save(QString::fromLocal8Bit(argv[1]))) return 1;
  std::printf("zarnet-calendarsheet: %s\n", argv[1]);
  return 0;
}
