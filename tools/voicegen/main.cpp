// Speaks every card's name in every language with espeak-ng and writes the
// clips with the resource list of the voice library.
//
//   zarnet-voicegen WORK_DIR
//
// writes WORK_DIR/RCDATA/<face base name>Voice<language code> (WAV) and
// WORK_DIR/voice.qrc, which rcc turns into the library file.

#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "sound_catalogue.h"
#include "wav.h"

namespace {

// Face base names: suit prefix, then the rank part.
const char* const kSuitPrefix[4] = {"Ch", "Bu", "Kr", "Pi"};  // hearts, diamonds, clubs, spades
const char* const kRankPart[13] = {"02", "03", "04", "05", "06", "07", "08",
                                   "09", "10", "2J", "3Q", "4K", "5A"};

// By language index; the codes are zarnet::kVoiceLanguages.
struct Language {
  const char* voice;  // espeak-ng voice
  std::function<std::string(int rank, int suit)> name;
};

using Words = std::vector<std::string>;

// The pattern with {r} for the rank's word and {s} for the suit's.
std::function<std::string(int, int)> Pattern(Words ranks, Words suits, std::string pattern) {
  return [=](int r, int s) {
    std::string text = pattern;
    text.replace(text.find("{r}"), 3, ranks[r]);
    text.replace(text.find("{s}"), 3, suits[s]);
    return text;
  };
}

// Czech suit adjectives agree with the rank's gender: kluk and král are
// masculine, eso neuter, the numbers and dáma feminine.
std::string CzechName(int r, int s) {
  static const Words ranks = {"dvojka",   "trojka",  "čtyřka",  "pětka",   "šestka",
                              "sedmička", "osmička", "devítka", "desítka", "kluk",
                              "dáma",     "král",    "eso"};
  static const Words stems = {"srdcov", "károv", "křížov", "pikov"};
  const std::string ending = (r == 9 || r == 11) ? "ý" : r == 12 ? "é" : "á";
  return stems[s] + ending + " " + ranks[r];
}

std::vector<Language> Languages() {
  return {
      {"en", Pattern({"two", "three", "four", "five", "six", "seven", "eight", "nine", "ten",
                      "jack", "queen", "king", "ace"},
                     {"hearts", "diamonds", "clubs", "spades"}, "{r} of {s}")},
      {"ru", Pattern({"двойка", "тройка", "четвёрка", "пятёрка", "шестёрка", "семёрка", "восьмёрка",
                      "девятка", "десятка", "валет", "дама", "король", "туз"},
                     {"червей", "бубен", "треф", "пик"}, "{r} {s}")},
      {"de", Pattern({"Zwei", "Drei", "Vier", "Fünf", "Sechs", "Sieben", "Acht", "Neun", "Zehn",
                      "Bube", "Dame", "König", "Ass"},
                     {"Herz", "Karo", "Kreuz", "Pik"}, "{s} {r}")},
      {"fr", Pattern({"deux", "trois", "quatre", "cinq", "six", "sept", "huit", "neuf", "dix",
                      "valet", "dame", "roi", "as"},
                     {"cœur", "carreau", "trèfle", "pique"}, "{r} de {s}")},
      {"es", Pattern({"dos", "tres", "cuatro", "cinco", "seis", "siete", "ocho", "nueve", "diez",
                      "jota", "reina", "rey", "as"},
                     {"corazones", "diamantes", "tréboles", "picas"}, "{r} de {s}")},
      // Mandarin through pinyin with tone numbers: the packaged voice reads
      // characters poorly.
      {"cmn-latn-pinyin",
       Pattern({"er4", "san1", "si4", "wu3", "liu4", "qi1", "ba1", "jiu3", "shi2", "jie2 ke4",
                "huang2 hou4", "guo2 wang2", "jian1"},
               {"hong2 tao2", "fang1 kuai4", "mei2 hua1", "hei1 tao2"}, "{s} {r}")},
      {"it", Pattern({"due", "tre", "quattro", "cinque", "sei", "sette", "otto", "nove", "dieci",
                      "fante", "donna", "re", "asso"},
                     {"cuori", "quadri", "fiori", "picche"}, "{r} di {s}")},
      {"cs", CzechName},
      // Kana only: the voice has no reading for kanji.
      {"ja", Pattern({"に", "さん", "よん", "ご", "ろく", "なな", "はち", "きゅう", "じゅう",
                      "ジャック", "クイーン", "キング", "エース"},
                     {"ハート", "ダイヤ", "クラブ", "スペード"}, "{s}の{r}")},
      {"ko",
       Pattern({"이", "삼", "사", "오", "육", "칠", "팔", "구", "십", "잭", "퀸", "킹", "에이스"},
               {"하트", "다이아몬드", "클로버", "스페이드"}, "{s} {r}")},
  };
}

std::vector<int16_t> spoken;

int Collect(short* wav, int count, espeak_EVENT*) {
  if (wav && count > 0) spoken.insert(spoken.end(), wav, wav + count);
  return 0;
}

// Cuts the silence around the word, so a clip starts at once and ends with
// the word. False when nothing was spoken.
bool TrimSilence(std::vector<int16_t>& s, int rate) {
  auto loud = [](int16_t v) { return std::abs(int(v)) >= 300; };
  const auto first = std::find_if(s.begin(), s.end(), loud);
  if (first == s.end()) return false;
  const auto last = std::find_if(s.rbegin(), s.rend(), loud).base();
  const long pad = rate / 50;  // 20 ms either side keeps the word's edges
  const long from = std::max(0L, long(first - s.begin()) - pad);
  const long to = std::min(long(s.size()), long(last - s.begin()) + pad);
  s = std::vector<int16_t>(s.begin() + from, s.begin() + to);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: zarnet-voicegen WORK_DIR\n");
    return 2;
  }
  namespace fs = std::filesystem;
  const std::string type(zarnet::kSoundType);
  const fs::path work = argv[1];
  std::error_code ec;
  fs::create_directories(work / type, ec);
  if (ec) {
    std::fprintf(stderr, "voicegen: cannot create %s\n", (work / type).c_str());
    return 1;
  }

  const int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, 0);
  if (rate <= 0) {
    std::fprintf(stderr, "voicegen: espeak-ng does not start\n");
    return 1;
  }
  espeak_SetSynthCallback(Collect);

  const std::vector<Language> languages = Languages();
  static_assert(zarnet::kVoiceLanguages.size() == 10);
  if (languages.size() != zarnet::kVoiceLanguages.size()) {
    std::fprintf(stderr, "voicegen: %zu languages spoken, %zu expected\n", languages.size(),
                 zarnet::kVoiceLanguages.size());
    return 1;
  }
  std::string qrc = "<RCC>\n  <qresource prefix=\"/\">\n";
  for (size_t l = 0; l < languages.size(); ++l) {
    if (espeak_SetVoiceByName(languages[l].voice) != EE_OK) {
      std::fprintf(stderr, "voicegen: no espeak-ng voice %s\n", languages[l].voice);
      return 1;
    }
    espeak_SetParameter(espeakRATE, 155, 0);
    for (int s = 0; s < 4; ++s)
      for (int r = 0; r < 13; ++r) {
        const std::string clip = type + "/" + kSuitPrefix[s] + kRankPart[r] +
                                 std::string(zarnet::kVoiceInfix) +
                                 std::string(zarnet::kVoiceLanguages[l]);
        const std::string text = languages[l].name(r, s);
        spoken.clear();
        const bool said = espeak_Synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0,
                                       espeakCHARS_UTF8, nullptr, nullptr) == EE_OK &&
                          espeak_Synchronize() == EE_OK && TrimSilence(spoken, rate);
        std::ofstream f(work / clip, std::ios::binary | std::ios::trunc);
        if (said) f << soundgen::WavFile(spoken, rate);
        if (!said || !f.flush()) {
          std::fprintf(stderr, "voicegen: no clip for \"%s\" (%s)\n", text.c_str(),
                       languages[l].voice);
          return 1;
        }
        qrc += "    <file>" + clip + "</file>\n";
      }
  }
  espeak_Terminate();

  qrc += "  </qresource>\n</RCC>\n";
  std::ofstream out(work / "voice.qrc", std::ios::trunc);
  out << qrc;
  if (!out.flush()) {
    std::fprintf(stderr, "voicegen: cannot write voice.qrc\n");
    return 1;
  }
  return 0;
}
