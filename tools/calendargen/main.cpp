// Paints the calendar library's pictures and writes the resource list for rcc.
//   zarnet-calendargen OUT_DIR
// Every picture the holiday table names must have a painter, or nothing is written.
#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QSet>
#include <cstdio>

#include "art.h"
#include "calendar.h"
#include "calendar_art.h"

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: zarnet-calendargen OUT_DIR\n");
    return 2;
  }
  // Signs and animals are glyphs of these fonts; without them the pictures would be blank.
  for (const char* family : {"DejaVu Sans", "WenQuanYi Zen Hei"}) {
    if (!QFontDatabase::hasFamily(family)) {
      std::fprintf(stderr, "zarnet-calendargen: the font \"%s\" is not installed (deps/calendar.txt)\n",
                   family);
      return 1;
    }
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(out);
  artgen::Sink sink(out);
  sink.Png("R_BASE", calendargen::PaintBase());
  for (int sign = 1; sign <= 12; ++sign)
    sink.Png(QString::fromStdString(zarnet::SignPicture(sign)), calendargen::PaintSign(sign));
  for (int animal = 0; animal < 12; ++animal)
    sink.Png(QString::fromStdString(zarnet::AnimalPicture(animal)), calendargen::PaintAnimal(animal));
  QSet<QString> done;
  for (const zarnet::HolidayEntry& e : zarnet::HolidayTable()) {
    const QString name = QString::fromStdString(e.picture);
    if (done.contains(name)) continue;
    done.insert(name);
    const QImage img = calendargen::PaintHoliday(name);
    if (img.isNull()) {
      std::fprintf(stderr, "zarnet-calendargen: no picture for %s\n", qPrintable(name));
      return 1;
    }
    sink.Png(name, img);
  }
  if (!sink.ok() || !sink.WriteQrc(out + "/calendar.qrc")) return 1;
  std::printf("zarnet-calendargen: %lld holiday pictures\n", static_cast<long long>(done.size()));
  return 0;
}
