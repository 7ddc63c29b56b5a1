// Synthesizes the game's sound effects as 16-bit mono WAV files and writes the
// resource list that compiles them (and the menu tune) into the program.
//
//   zarnet-soundgen OUT_DIR
//
// writes OUT_DIR/RCDATA/<effect> for every effect and OUT_DIR/sounds.qrc.
// The output depends only on this program, so the build reruns it only when
// the program changes.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "sound_catalogue.h"
#include "wav.h"

namespace {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

using Samples = std::vector<double>;

int At(double seconds) {
  return static_cast<int>(std::lround(seconds * kRate));
}

double NoteHz(int midi) {
  return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

// Mixes `part` into `out` starting at `start` seconds.
void Mix(Samples& out, const Samples& part, double start, double gain = 1.0) {
  const int s = At(start);
  if (out.size() < s + part.size()) out.resize(s + part.size(), 0.0);
  for (size_t i = 0; i < part.size(); ++i) out[s + i] += gain * part[i];
}

// Fades the last `seconds` out, so a note cut short does not click.
void Release(Samples& s, double seconds) {
  const int n = std::min<int>(At(seconds), int(s.size()));
  for (int i = 0; i < n; ++i) s[s.size() - 1 - i] *= double(i) / n;
}

// A struck bar or bell: inharmonic partials, the high ones dying first.
Samples Bell(double hz, double seconds, double decay = 4.0) {
  static const double ratio[] = {1.0, 2.0, 3.01, 4.17, 5.43};
  static const double level[] = {1.0, 0.45, 0.22, 0.12, 0.06};
  Samples s(At(seconds));
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = double(i) / kRate;
    double v = 0;
    for (int p = 0; p < 5; ++p) {
      if (hz * ratio[p] > kRate / 2.2) break;
      v += level[p] * std::exp(-t * decay * (1 + p * 0.8)) * std::sin(2 * kPi * hz * ratio[p] * t);
    }
    s[i] = v * std::min(1.0, t / 0.002);
  }
  Release(s, 0.02);
  return s;
}

// A plucked string (Karplus-Strong): warm and short.
Samples Pluck(double hz, double seconds, uint32_t seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> u(-1.0, 1.0);
  const int period = std::max(2, static_cast<int>(std::lround(kRate / hz)));
  std::vector<double> line(period);
  double mean = 0;
  for (double& v : line) mean += (v = u(rng));
  // Noise with an offset would ring as a DC shift.
  for (double& v : line) v -= mean / period;
  Samples s(At(seconds));
  int pos = 0;
  for (double& v : s) {
    const int next = (pos + 1) % period;
    const double out = line[pos];
    line[pos] = 0.498 * (line[pos] + line[next]);
    pos = next;
    v = out;
  }
  Release(s, 0.03);
  return s;
}

// A brass-like voice: band-limited harmonics under a swelling envelope with a
// little vibrato that grows on long notes.
Samples Brass(double hz, double seconds, double vibrato = 0.0) {
  Samples s(At(seconds));
  double phase = 0;
  const int harmonics = std::min(12, static_cast<int>(kRate / 2.5 / hz));
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = double(i) / kRate;
    const double vib = 1.0 + vibrato * std::min(1.0, t / 0.3) * std::sin(2 * kPi * 5.5 * t);
    phase += 2 * kPi * hz * vib / kRate;
    // Brightness opens with the attack, as a player's lips do.
    const double bright = 0.35 + 0.65 * std::min(1.0, t / 0.04);
    double v = 0;
    for (int h = 1; h <= harmonics; ++h) v += std::pow(bright, h - 1) * std::sin(h * phase) / h;
    const double attack = std::min(1.0, t / 0.025);
    const double release = std::min(1.0, (seconds - t) / 0.06);
    s[i] = v * attack * std::max(0.0, release);
  }
  return s;
}

// A soft pure tone with a short attack and exponential fall.
Samples Tone(double hz, double seconds, double decay, double second = 0.15) {
  Samples s(At(seconds));
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = double(i) / kRate;
    const double env = std::min(1.0, t / 0.01) * std::exp(-t * decay) *
                       std::max(0.0, std::min(1.0, (seconds - t) / 0.03));
    s[i] = env * (std::sin(2 * kPi * hz * t) + second * std::sin(4 * kPi * hz * t));
  }
  return s;
}

// Filtered noise under an envelope: card surfaces rubbing and snapping.
Samples Noise(double seconds, double lowCut, double highCut, std::function<double(double)> env,
              uint32_t seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> u(-1.0, 1.0);
  const double aLow = std::exp(-2 * kPi * highCut / kRate);  // low-pass pole
  const double aHigh = std::exp(-2 * kPi * lowCut / kRate);  // high-pass pole
  double lp = 0, hpIn = 0, hp = 0;
  Samples s(At(seconds));
  for (size_t i = 0; i < s.size(); ++i) {
    lp = (1 - aLow) * u(rng) + aLow * lp;
    hp = aHigh * (hp + lp - hpIn);
    hpIn = lp;
    s[i] = hp * env(double(i) / kRate);
  }
  return s;
}

Samples Slide(double seconds, uint32_t seed) {
  return Noise(
      seconds, 700, 3800,
      [seconds](double t) {
        const double x = t / seconds;
        return std::sin(kPi * x) * (0.6 + 0.4 * x);
      },
      seed);
}

// The card meets the cloth: a click and a low thump.
Samples Snap(uint32_t seed) {
  Samples s = Noise(
      0.05, 1500, 7000, [](double t) { return std::exp(-t / 0.004); }, seed);
  Mix(s, Tone(140, 0.06, 60, 0.3), 0.0, 0.9);
  return s;
}

// Blocks any offset, then sets the peak to 0.7 of full scale with short fades,
// so no effect clicks at its ends.
void Finish(Samples& s) {
  double in = 0, out = 0;
  for (double& v : s) {
    out = v - in + 0.995 * out;
    in = v;
    v = out;
  }
  double peak = 0;
  for (double v : s) peak = std::max(peak, std::abs(v));
  if (peak > 0)
    for (double& v : s) v *= 0.7 / peak;
  const int fade = std::min<int>(At(0.003), int(s.size()) / 2);
  for (int i = 0; i < fade; ++i) {
    s[i] *= double(i) / fade;
    s[s.size() - 1 - i] *= double(i) / fade;
  }
}

std::string Wav(const Samples& s) {
  std::vector<int16_t> pcm(s.size());
  for (size_t i = 0; i < s.size(); ++i)
    pcm[i] = int16_t(std::lround(std::clamp(s[i], -1.0, 1.0) * 32767));
  return soundgen::WavFile(pcm, kRate);
}

// --- The effects ---

Samples CardLands() {
  Samples s;
  Mix(s, Slide(0.09, 11), 0.0, 0.5);
  Mix(s, Snap(12), 0.085);
  return s;
}

Samples ShuffleAndDeal() {
  Samples s;
  std::mt19937 rng(21);
  std::uniform_real_distribution<double> jitter(0.8, 1.2);
  // The riffle: the two halves' edges flick together, quicker towards the end.
  double t = 0;
  for (int i = 0; i < 26; ++i) {
    const double gap = (0.024 - 0.0005 * i) * jitter(rng);
    Mix(s,
        Noise(
            0.012, 1800, 8000, [](double x) { return std::exp(-x / 0.003); }, 100 + i),
        t, 0.8 + 0.02 * i);
    t += gap;
  }
  Mix(s, Snap(22), t + 0.02, 0.5);  // squared up
  // Two cards go out.
  Mix(s, Slide(0.08, 23), t + 0.12, 0.4);
  Mix(s, Snap(24), t + 0.2, 0.3);
  Mix(s, Slide(0.08, 25), t + 0.26, 0.4);
  Mix(s, Snap(26), t + 0.34, 0.3);
  return s;
}

Samples LastCardDrawn() {
  Samples s;
  Mix(s, Slide(0.1, 31), 0.0, 0.5);
  Mix(s, Bell(NoteHz(81), 0.32, 7.0), 0.1, 0.35);  // A5
  Mix(s, Bell(NoteHz(76), 0.3, 7.0), 0.1, 0.25);   // E5
  return s;
}

Samples Arpeggio(const std::vector<int>& notes, double step, double ring, double gain) {
  Samples s;
  for (size_t i = 0; i < notes.size(); ++i) {
    const bool last = i + 1 == notes.size();
    Mix(s, Bell(NoteHz(notes[i]), last ? ring : step * 2.5, last ? 3.0 : 6.0), step * i, gain);
    Mix(s, Pluck(NoteHz(notes[i]), last ? ring : step * 2.5, 40 + uint32_t(i)), step * i,
        gain * 0.5);
  }
  return s;
}

Samples DealWon() {
  return Arpeggio({72, 76, 79, 84}, 0.09, 0.6, 0.6);
}

Samples DealLost() {
  Samples s;
  const int notes[] = {67, 63, 60};  // G4 Eb4 C4
  for (int i = 0; i < 3; ++i)
    Mix(s, Tone(NoteHz(notes[i]), i == 2 ? 0.5 : 0.22, 3.0, 0.3), 0.16 * i, 0.5);
  return s;
}

Samples DealDrawn() {
  Samples s;
  Mix(s, Bell(NoteHz(76), 0.3, 6.0), 0.0, 0.5);
  Mix(s, Bell(NoteHz(76), 0.45, 4.0), 0.16, 0.5);
  Mix(s, Bell(NoteHz(69), 0.45, 4.0), 0.16, 0.3);
  return s;
}

// Brass notes (midi, start, length) over an optional held chord.
Samples Fanfare(const std::vector<std::array<double, 3>>& notes, const std::vector<int>& chord,
                double chordAt, double chordLength) {
  Samples s;
  for (const auto& n : notes)
    Mix(s, Brass(NoteHz(int(n[0])), n[2], n[2] > 0.35 ? 0.006 : 0.0), n[1], 0.5);
  // The chord together about as loud as the line above it.
  for (int c : chord) Mix(s, Brass(NoteHz(c), chordLength, 0.004), chordAt, 0.5 / chord.size());
  return s;
}

Samples SeriesWon() {
  return Fanfare({{67, 0.0, 0.11}, {72, 0.12, 0.11}, {76, 0.24, 0.11}, {79, 0.36, 0.55}}, {60, 64},
                 0.36, 0.55);
}

Samples SeriesLost() {
  Samples s =
      Fanfare({{67, 0.0, 0.25}, {66, 0.27, 0.25}, {65, 0.54, 0.25}, {64, 0.81, 0.6}}, {}, 0, 0);
  Samples wah;
  Mix(wah, Brass(NoteHz(64), 0.6, 0.02), 0.0);
  Mix(s, wah, 0.81, 0.2);
  return s;
}

Samples GameBest() {
  Samples s = Fanfare({{72, 0.0, 0.1},
                       {72, 0.11, 0.1},
                       {72, 0.22, 0.1},
                       {79, 0.33, 0.4},
                       {76, 0.75, 0.12},
                       {79, 0.88, 0.12},
                       {84, 1.01, 0.75}},
                      {60, 64, 67, 72}, 1.01, 0.75);
  // Sparkle over the last chord.
  const int sparkle[] = {96, 100, 103, 108};
  for (int i = 0; i < 4; ++i) Mix(s, Bell(NoteHz(sparkle[i]), 0.5, 6.0), 1.05 + 0.07 * i, 0.08);
  return s;
}

Samples GameGood() {
  return Fanfare({{76, 0.0, 0.12}, {79, 0.13, 0.12}, {84, 0.26, 0.7}}, {64, 67, 72}, 0.26, 0.7);
}

Samples GameBad() {
  Samples s;
  const int notes[] = {69, 67, 64, 57};  // A4 G4 E4 A3
  for (int i = 0; i < 4; ++i)
    Mix(s, Tone(NoteHz(notes[i]), i == 3 ? 0.7 : 0.32, 2.0, 0.25), 0.28 * i, 0.45);
  Mix(s, Tone(NoteHz(60), 0.7, 2.0, 0.2), 0.84, 0.2);  // C4 under the last: A minor
  return s;
}

Samples WindowOpens() {
  Samples s;
  Mix(s, Bell(NoteHz(88), 0.35, 7.0), 0.0, 0.4);   // E6
  Mix(s, Bell(NoteHz(95), 0.3, 8.0), 0.05, 0.25);  // B6
  return s;
}

Samples MessageArrives() {
  Samples s;
  Mix(s, Bell(NoteHz(84), 0.18, 9.0), 0.0, 0.45);  // C6
  Mix(s, Bell(NoteHz(91), 0.3, 7.0), 0.1, 0.45);   // G6
  return s;
}

Samples Failure() {
  Samples s;
  for (int i = 0; i < 2; ++i) {
    Samples buzz = Brass(150, 0.13);
    Mix(buzz, Brass(156, 0.13), 0.0, 0.8);  // the slight beat makes it a buzz
    Mix(s, buzz, 0.18 * i, 0.5);
  }
  return s;
}

Samples Tick() {
  Samples s = Tone(1800, 0.035, 120, 0.0);
  Mix(s,
      Noise(
          0.01, 3000, 9000, [](double t) { return std::exp(-t / 0.001); }, 51),
      0.0, 0.3);
  return s;
}

Samples UrgentTick() {
  Samples s = Tone(1320, 0.08, 25, 0.35);
  Mix(s, Tone(2640, 0.04, 60, 0.0), 0.0, 0.3);
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: zarnet-soundgen OUT_DIR\n");
    return 2;
  }
  const std::map<std::string_view, std::function<Samples()>> makers = {
      {"WTasoKo", ShuffleAndDeal}, {"WHodsDo", CardLands},  {"WKoloNo", LastCardDrawn},
      {"WKoGutX", DealWon},        {"WKoBadX", DealLost},   {"WPlMore", DealDrawn},
      {"WKoGood", SeriesWon},      {"WKoBads", SeriesLost}, {"WFiBest", GameBest},
      {"WFiGood", GameGood},       {"WFiBads", GameBad},    {"WOpenFo", WindowOpens},
      {"WToMenK", MessageArrives}, {"WWrongs", Failure},    {"STimerA", Tick},
      {"STimerB", UrgentTick}};

  namespace fs = std::filesystem;
  const fs::path out = argv[1];
  const fs::path type = out / std::string(zarnet::kSoundType);
  std::error_code ec;
  fs::create_directories(type, ec);

  std::string qrc = "<RCC>\n  <qresource prefix=\"/\">\n";
  for (std::string_view name : zarnet::kEffectNames) {
    const auto maker = makers.find(name);
    if (maker == makers.end()) {
      std::fprintf(stderr, "soundgen: no sound for %.*s\n", int(name.size()), name.data());
      return 1;
    }
    Samples s = maker->second();
    Finish(s);
    std::ofstream f(type / std::string(name), std::ios::binary | std::ios::trunc);
    f << Wav(s);
    if (!f.flush()) {
      std::fprintf(stderr, "soundgen: cannot write %.*s\n", int(name.size()), name.data());
      return 1;
    }
    qrc += "    <file>" + std::string(zarnet::kSoundType) + "/" + std::string(name) + "</file>\n";
  }
  // The tune is written beside the effects by zarnet-tunegen.
  qrc += "    <file>" + std::string(zarnet::kSoundType) + "/" + std::string(zarnet::kTuneResource) +
         "</file>\n";
  qrc += "  </qresource>\n</RCC>\n";
  std::ofstream q(out / "sounds.qrc", std::ios::trunc);
  q << qrc;
  if (!q.flush()) {
    std::fprintf(stderr, "soundgen: cannot write sounds.qrc\n");
    return 1;
  }
  return 0;
}
