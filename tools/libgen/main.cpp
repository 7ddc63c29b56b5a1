// Builds one art library as a resource list for rcc.
//   zarnet-libgen LIBRARY OUT_DIR [DECKS_DIR [DECKS_COPYRIGHT]]
// LIBRARY is the library's file name; the face libraries need the card decks folder and
// carry the decks' copyright file's words about them.
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <cstdio>

#include "libgen.h"

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc < 3 || argc > 5) {
    std::fprintf(stderr, "usage: zarnet-libgen LIBRARY OUT_DIR [DECKS_DIR [DECKS_COPYRIGHT]]\n");
    return 2;
  }
  QElapsedTimer timer;
  timer.start();
  const QString library = QString::fromLocal8Bit(argv[1]);
  const QString out = QString::fromLocal8Bit(argv[2]);
  const QString decks = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString("/usr/share/carddecks");
  const QString copyright = argc > 4 ? QString::fromLocal8Bit(argv[4])
                                     : QString("/usr/share/doc/kdegames-card-data-kf5/copyright");
  QStringList used;
  QDir().mkpath(out);
  artgen::Sink sink(out);
  bool ok = true;
  if (library == "KuvCards06A.dll" || library == "KuvCards06C.dll") {
    ok = libgen::PaintFaceLibrary(sink, library, decks, &used);
  } else if (library == "KuvCards06B.dll") {
    ok = libgen::PaintFaceLibrary(sink, library, decks, &used) && libgen::PaintBackSets(sink, decks, &used);
  } else if (library == "KuvBackG03.dll") {
    libgen::PaintBackgroundLibrary(sink);
  } else if (library == "KuvCGraph1.dll") {
    libgen::PaintGraphLibrary(sink);
  } else {
    std::fprintf(stderr, "zarnet-libgen: unknown library %s\n", argv[1]);
    return 2;
  }
  if (!used.isEmpty()) sink.Raw("TEXT", "CardDecks", libgen::DeckNotices(decks, copyright, used));
  if (!ok || !sink.ok() || !sink.WriteQrc(out + "/library.qrc")) {
    std::fprintf(stderr, "zarnet-libgen: %s not built\n", argv[1]);
    return 1;
  }
  std::printf("zarnet-libgen: %s painted in %lld ms\n", argv[1], static_cast<long long>(timer.elapsed()));
  return 0;
}
