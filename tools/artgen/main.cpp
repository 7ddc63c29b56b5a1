// Paints every picture the program carries and writes the resource list for rcc.
//   zarnet-artgen OUT_DIR WORDS_TSV
//   zarnet-artgen --icons OUT_DIR ICON_NAME   (the desktop icon only)
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <cstdio>

#include "art.h"

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc == 4 && QByteArray(argv[1]) == "--icons") {
    if (artgen::PaintIcons(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]))) return 0;
    std::fprintf(stderr, "zarnet-artgen: cannot write the icons into %s\n", argv[2]);
    return 1;
  }
  if (argc != 3) {
    std::fprintf(stderr, "usage: zarnet-artgen OUT_DIR WORDS_TSV | --icons OUT_DIR ICON_NAME\n");
    return 2;
  }
  QElapsedTimer timer;
  timer.start();
  const QString out = QString::fromLocal8Bit(argv[1]);
  artgen::Words words;
  if (!artgen::ReadWords(QString::fromLocal8Bit(argv[2]), &words)) {
    std::fprintf(stderr, "zarnet-artgen: cannot read %s\n", argv[2]);
    return 1;
  }
  QDir().mkpath(out);
  artgen::Sink sink(out);
  // Each stage's time is printed so a slow painter shows up in the build log.
  QString stages;
  auto stage = [&](const char* name, const std::function<void()>& paint) {
    QElapsedTimer t;
    t.start();
    paint();
    stages += QString(" %1 %2").arg(name).arg(t.elapsed());
  };
  stage("faces", [&] { artgen::PaintFaces(sink); });
  stage("backs", [&] { artgen::PaintBacks(sink); });
  stage("backgrounds", [&] { artgen::PaintBackgrounds(sink); });
  stage("skins", [&] { artgen::PaintSkins(sink); });
  stage("panels", [&] { artgen::PaintPanels(sink, words); });
  stage("extras", [&] { artgen::PaintExtras(sink, words); });
  bool flags = true;
  stage("flags", [&] { flags = artgen::PaintFlags(sink); });
  if (!flags || !sink.ok() || !sink.WriteQrc(out + "/art.qrc")) return 1;
  std::printf("zarnet-artgen: pictures painted in %lld ms (ms per stage:%s)\n",
              static_cast<long long>(timer.elapsed()), qPrintable(stages));
  return 0;
}
