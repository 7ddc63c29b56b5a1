// Speaks every card's name in every language with espeak-ng and writes the
// clips with the resource list of the voice library.
//
//   zarnet-voicegen ESPEAK_NG WORK_DIR
//
// writes WORK_DIR/RCDATA/<face base name>Voice<language code> (WAV) and
// WORK_DIR/voice.qrc, which rcc turns into the library file.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sound_catalogue.h"

namespace {

// Face base names: suit prefix, then the rank part.
const char* const kSuitPrefix[4] = {"Ch", "Bu", "Kr", "Pi"};  // hearts, diamonds, clubs, spades
const char* const kRankPart[13] = {"02", "03", "04", "05", "06", "07", "08",
                                   "09", "10", "2J", "3Q", "4K", "5A"};

// By language index; the codes are zarnet::kVoiceLanguages.
struct Language {
  const char* voice;  // espeak-ng voice
  std::function<QString(int rank, int suit)> name;
};

QString Join(const QStringList& ranks, const QStringList& suits, int r, int s, const QString& pattern) {
  return QString(pattern).replace("{r}", ranks[r]).replace("{s}", suits[s]);
}

std::function<QString(int, int)> Pattern(QStringList ranks, QStringList suits, QString pattern) {
  return [=](int r, int s) { return Join(ranks, suits, r, s, pattern); };
}

// Czech suit adjectives agree with the rank's gender: kluk and král are
// masculine, eso neuter, the numbers and dáma feminine.
QString CzechName(int r, int s) {
  static const QStringList ranks = {"dvojka", "trojka", "čtyřka", "pětka", "šestka", "sedmička",
                                    "osmička", "devítka", "desítka", "kluk", "dáma", "král", "eso"};
  static const QStringList stems = {"srdcov", "károv", "křížov", "pikov"};
  const QString ending = (r == 9 || r == 11) ? "ý" : r == 12 ? "é" : "á";
  return stems[s] + ending + " " + ranks[r];
}

std::vector<Language> Languages() {
  return {
      {"en",
       Pattern({"two", "three", "four", "five", "six", "seven", "eight", "nine", "ten", "jack", "queen",
                "king", "ace"},
               {"hearts", "diamonds", "clubs", "spades"}, "{r} of {s}")},
      {"ru",
       Pattern({"двойка", "тройка", "четвёрка", "пятёрка", "шестёрка", "семёрка", "восьмёрка", "девятка",
                "десятка", "валет", "дама", "король", "туз"},
               {"червей", "бубен", "треф", "пик"}, "{r} {s}")},
      {"de",
       Pattern({"Zwei", "Drei", "Vier", "Fünf", "Sechs", "Sieben", "Acht", "Neun", "Zehn", "Bube", "Dame",
                "König", "Ass"},
               {"Herz", "Karo", "Kreuz", "Pik"}, "{s} {r}")},
      {"fr",
       Pattern({"deux", "trois", "quatre", "cinq", "six", "sept", "huit", "neuf", "dix", "valet", "dame",
                "roi", "as"},
               {"cœur", "carreau", "trèfle", "pique"}, "{r} de {s}")},
      {"es",
       Pattern({"dos", "tres", "cuatro", "cinco", "seis", "siete", "ocho", "nueve", "diez", "jota", "reina",
                "rey", "as"},
               {"corazones", "diamantes", "tréboles", "picas"}, "{r} de {s}")},
      // Mandarin through pinyin with tone numbers: the packaged voice reads
      // characters poorly.
      {"cmn-latn-pinyin",
       Pattern({"er4", "san1", "si4", "wu3", "liu4", "qi1", "ba1", "jiu3", "shi2", "jie2 ke4", "huang2 hou4",
                "guo2 wang2", "jian1"},
               {"hong2 tao2", "fang1 kuai4", "mei2 hua1", "hei1 tao2"}, "{s} {r}")},
      {"it",
       Pattern({"due", "tre", "quattro", "cinque", "sei", "sette", "otto", "nove", "dieci", "fante", "donna",
                "re", "asso"},
               {"cuori", "quadri", "fiori", "picche"}, "{r} di {s}")},
      {"cs", CzechName},
      // Kana only: the voice has no reading for kanji.
      {"ja",
       Pattern({"に", "さん", "よん", "ご", "ろく", "なな", "はち", "きゅう", "じゅう", "ジャック", "クイーン",
                "キング", "エース"},
               {"ハート", "ダイヤ", "クラブ", "スペード"}, "{s}の{r}")},
      {"ko",
       Pattern({"이", "삼", "사", "오", "육", "칠", "팔", "구", "십", "잭", "퀸", "킹", "에이스"},
               {"하트", "다이아몬드", "클로버", "스페이드"}, "{s} {r}")},
  };
}

int Le16(const QByteArray& b, int at) {
  return int16_t(uint8_t(b[at]) | (uint8_t(b[at + 1]) << 8));
}

void PutLe32(QByteArray& b, int at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = char((v >> (8 * i)) & 0xFF);
}

// Cuts the silence espeak-ng leaves around a word, so a clip starts at once
// and ends with the word. Expects the plain 44-byte header espeak-ng writes.
bool TrimSilence(QByteArray& wav) {
  if (wav.size() < 46 || !wav.startsWith("RIFF") || wav.mid(36, 4) != "data") return false;
  const int rate = int(uint8_t(wav[24]) | (uint8_t(wav[25]) << 8) | (uint8_t(wav[26]) << 16));
  const int samples = (wav.size() - 44) / 2;
  int first = 0, last = samples - 1;
  while (first < samples && std::abs(Le16(wav, 44 + 2 * first)) < 300) ++first;
  while (last > first && std::abs(Le16(wav, 44 + 2 * last)) < 300) --last;
  if (first >= last) return false;  // nothing was spoken
  const int pad = rate / 50;  // 20 ms either side keeps the word's edges
  first = std::max(0, first - pad);
  last = std::min(samples - 1, last + pad);
  QByteArray out = wav.left(44) + wav.mid(44 + 2 * first, 2 * (last - first + 1));
  PutLe32(out, 4, uint32_t(out.size() - 8));
  PutLe32(out, 40, uint32_t(out.size() - 44));
  wav = out;
  return true;
}

struct Job {
  QString file;
  QString voice;
  QString text;
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: zarnet-voicegen ESPEAK_NG WORK_DIR\n");
    return 2;
  }
  const QString espeak = QString::fromLocal8Bit(argv[1]);
  const QDir work(QString::fromLocal8Bit(argv[2]));
  const QString type = QString::fromLatin1(zarnet::kSoundType.data(), zarnet::kSoundType.size());
  const QString infix = QString::fromLatin1(zarnet::kVoiceInfix.data(), zarnet::kVoiceInfix.size());
  if (!work.mkpath(type)) {
    std::fprintf(stderr, "voicegen: cannot create %s\n", qPrintable(work.filePath(type)));
    return 1;
  }

  std::deque<Job> jobs;
  QStringList entries;
  const std::vector<Language> languages = Languages();
  static_assert(zarnet::kVoiceLanguages.size() == 10);
  if (languages.size() != zarnet::kVoiceLanguages.size()) {
    std::fprintf(stderr, "voicegen: %zu languages spoken, %zu expected\n", languages.size(),
                 zarnet::kVoiceLanguages.size());
    return 1;
  }
  for (size_t l = 0; l < languages.size(); ++l)
    for (int s = 0; s < 4; ++s)
      for (int r = 0; r < 13; ++r) {
        const std::string_view code = zarnet::kVoiceLanguages[l];
        const QString clip = type + "/" + kSuitPrefix[s] + kRankPart[r] + infix +
                             QString::fromLatin1(code.data(), qsizetype(code.size()));
        jobs.push_back({work.filePath(clip), languages[l].voice, languages[l].name(r, s)});
        entries << clip;
      }

  // Two speakers at a time: the clips are short and the machine is shared.
  struct Running {
    std::unique_ptr<QProcess> process;
    Job job;
  };
  std::vector<Running> running;
  bool ok = true;
  auto finish = [&](Running& r) {
    r.process->waitForFinished(30000);
    QFile f(r.job.file);
    QByteArray wav;
    if (r.process->exitStatus() == QProcess::NormalExit && r.process->exitCode() == 0 &&
        f.open(QIODevice::ReadOnly))
      wav = f.readAll();
    f.close();
    if (!TrimSilence(wav) || !f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(wav) != wav.size()) {
      std::fprintf(stderr, "voicegen: no clip for \"%s\" (%s): %s\n", qPrintable(r.job.text),
                   qPrintable(r.job.voice), r.process->readAllStandardError().constData());
      ok = false;
    }
  };
  while (!jobs.empty() || !running.empty()) {
    while (!jobs.empty() && running.size() < 2) {
      Running r{std::make_unique<QProcess>(), jobs.front()};
      jobs.pop_front();
      r.process->start(espeak, {"-v", r.job.voice, "-s", "155", "-w", r.job.file, r.job.text});
      running.push_back(std::move(r));
    }
    finish(running.front());
    running.erase(running.begin());
  }
  if (!ok) return 1;

  QFile qrc(work.filePath("voice.qrc"));
  if (!qrc.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    std::fprintf(stderr, "voicegen: cannot write voice.qrc\n");
    return 1;
  }
  QTextStream out(&qrc);
  out << "<RCC>\n  <qresource prefix=\"/\">\n";
  for (const QString& e : entries) out << "    <file>" << e << "</file>\n";
  out << "  </qresource>\n</RCC>\n";
  return 0;
}
