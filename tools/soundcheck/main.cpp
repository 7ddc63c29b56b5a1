// Plays the program's sounds through the real player, to hear them:
//   zarnet-soundcheck effects           every effect, one after the other
//   zarnet-soundcheck voice [LANGUAGE]  every card's name (language index 0..9)
//   zarnet-soundcheck tune [SECONDS]    the menu tune (10 s by default)
#include <QApplication>
#include <QDir>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "sound.h"
#include "sound_catalogue.h"
#include "words.h"

using namespace zarnet;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const std::string what = argc > 1 ? argv[1] : "";
  Sound sound(QCoreApplication::applicationDirPath(), QDir::tempPath() + "/zarnet-soundcheck");
  if (sound.Silent()) std::fprintf(stderr, "soundcheck: no audio device, nothing will be heard\n");

  if (what == "effects") {
    for (std::string_view name : kEffectNames) {
      std::printf("%.*s\n", int(name.size()), name.data());
      std::fflush(stdout);
      sound.PlayEffect(name, true, true);
      QThread::msleep(300);
    }
  } else if (what == "voice") {
    SetLanguageIndex(argc > 2 ? std::atoi(argv[2]) : 0);
    for (int n = 1; n <= 40; ++n) {
      const CardCode card = kDeckTable[n].code;
      std::printf("%s\n", qPrintable(VoiceClipName(card, VoiceLanguageCode(LanguageIndex()))));
      std::fflush(stdout);
      if (!sound.SayCard(card, true)) {
        std::fprintf(stderr, "soundcheck: no voice library beside the program\n");
        return 1;
      }
    }
  } else if (what == "tune") {
    QDir().mkpath(QDir::tempPath() + "/zarnet-soundcheck");
    if (!sound.PrepareMusic()) return 1;
    sound.PlayMusic(true);
    QThread::sleep(argc > 2 ? std::atoi(argv[2]) : 10);
  } else {
    std::fprintf(stderr, "usage: zarnet-soundcheck effects | voice [LANGUAGE] | tune [SECONDS]\n");
    return 2;
  }
  return 0;
}
