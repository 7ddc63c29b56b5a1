// Writes the menu tune, a short piece of our own in G major, as a Standard
// MIDI File (format 1: a tempo track and one track per instrument).
//
//   zarnet-tunegen OUT_FILE

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kTicks = 480;  // per quarter note
constexpr int kBeatsPerBar = 4;
constexpr int kTempoBpm = 108;

// Melody, bar by bar: note name with octave (C4 = 60) or R for a rest, and a
// length in quarter notes.
const char* const kMelody[] = {"B4:1 D5:1 G5:1.5 F#5:.5",      "E5:1 D5:1 B4:2",
                               "C5:1 E5:1 G5:1 E5:1",          "D5:3 A4:1",
                               "B4:1 D5:1 G5:1 A5:1",          "B5:1.5 A5:.5 G5:1 E5:1",
                               "A5:1 G5:1 F#5:1 E5:.5 F#5:.5", "G5:3 R:1",
                               "E5:1 G5:1 C6:1.5 B5:.5",       "B5:1 A5:.5 G5:.5 D5:2",
                               "C5:1 E5:1 A5:1 G5:1",          "F#5:1 E5:1 D5:2",
                               "G5:1 B5:1 E5:1.5 F#5:.5",      "G5:1 E5:1 C5:1 E5:1",
                               "D5:1 F#5:1 A5:1 C6:1",         "B5:2 G5:2"};

// Harmony, two chords a bar: root (bass octave) and the chord's tones above it.
struct Chord {
  int root;
  std::vector<int> tones;  // semitones above the root
};
const Chord kG{43, {0, 4, 7}}, kEm{40, {0, 3, 7}}, kC{36, {0, 4, 7}}, kD{38, {0, 4, 7}},
    kAm{45, {0, 3, 7}}, kD7{38, {0, 4, 7, 10}};
const Chord kHarmony[][2] = {{kG, kG},   {kEm, kEm}, {kC, kC},   {kD, kD}, {kG, kG},   {kEm, kEm},
                             {kAm, kD},  {kG, kG},   {kC, kC},   {kG, kG}, {kAm, kAm}, {kD, kD},
                             {kEm, kEm}, {kC, kC},   {kD7, kD7}, {kG, kG}};
constexpr int kBars = sizeof(kMelody) / sizeof(kMelody[0]);
static_assert(kBars == sizeof(kHarmony) / sizeof(kHarmony[0]));

struct Event {
  int tick;
  int order;  // note-offs before note-ons at the same tick
  std::vector<uint8_t> bytes;
};

class Track {
 public:
  void Meta(int tick, uint8_t type, std::vector<uint8_t> data) {
    std::vector<uint8_t> b{0xFF, type, uint8_t(data.size())};
    b.insert(b.end(), data.begin(), data.end());
    events_.push_back({tick, 1, b});
  }
  void Program(int channel, int program) {
    events_.push_back({0, 1, {uint8_t(0xC0 | channel), uint8_t(program)}});
  }
  void Control(int channel, int control, int value) {
    events_.push_back({0, 1, {uint8_t(0xB0 | channel), uint8_t(control), uint8_t(value)}});
  }
  void Note(int channel, int tick, int length, int key, int velocity) {
    events_.push_back({tick, 2, {uint8_t(0x90 | channel), uint8_t(key), uint8_t(velocity)}});
    events_.push_back({tick + length, 0, {uint8_t(0x80 | channel), uint8_t(key), 0}});
  }
  std::string Bytes() {
    std::stable_sort(events_.begin(), events_.end(), [](const Event& a, const Event& b) {
      return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    std::string body;
    int last = 0;
    for (const Event& e : events_) {
      Vlq(body, uint32_t(e.tick - last));
      last = e.tick;
      body.append(e.bytes.begin(), e.bytes.end());
    }
    body += std::string("\x00\xFF\x2F\x00", 4);  // end of track
    std::string chunk = "MTrk";
    Be32(chunk, uint32_t(body.size()));
    return chunk + body;
  }

  static void Be32(std::string& b, uint32_t v) {
    for (int i = 3; i >= 0; --i) b.push_back(char((v >> (8 * i)) & 0xFF));
  }
  static void Vlq(std::string& b, uint32_t v) {
    uint8_t tmp[5];
    int n = 0;
    do {
      tmp[n++] = uint8_t(v & 0x7F);
      v >>= 7;
    } while (v);
    while (n--) b.push_back(char(tmp[n] | (n ? 0x80 : 0)));
  }

 private:
  std::vector<Event> events_;
};

// "F#5" -> 78; -1 for a rest, -2 for a name that is no note.
int Key(const std::string& name) {
  if (name == "R") return -1;
  static const int steps[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  if (name.size() < 2 || name[0] < 'A' || name[0] > 'G') return -2;
  int key = steps[name[0] - 'A'];
  size_t i = 1;
  if (name[i] == '#' || name[i] == 'b') key += name[i++] == '#' ? 1 : -1;
  if (i + 1 != name.size() || name[i] < '0' || name[i] > '9') return -2;
  return key + 12 * (name[i] - '0' + 1);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: zarnet-tunegen OUT_FILE\n");
    return 2;
  }
  const int bar = kTicks * kBeatsPerBar;
  const int half = bar / 2;

  Track tempo;
  const std::string title = "Zarnet menu";
  tempo.Meta(0, 0x03, std::vector<uint8_t>(title.begin(), title.end()));
  const uint32_t usPerQuarter = 60000000u / kTempoBpm;
  tempo.Meta(0, 0x51,
             {uint8_t(usPerQuarter >> 16), uint8_t(usPerQuarter >> 8), uint8_t(usPerQuarter)});
  tempo.Meta(0, 0x58, {4, 2, 24, 8});  // 4/4
  tempo.Meta(0, 0x59, {1, 0});         // G major

  Track melody, strings, bass, guitar;
  melody.Program(0, 73);  // flute
  melody.Control(0, 91, 50);
  strings.Program(1, 48);  // string ensemble
  strings.Control(1, 7, 80);
  strings.Control(1, 91, 70);
  bass.Program(2, 32);    // acoustic bass
  guitar.Program(3, 24);  // nylon guitar
  guitar.Control(3, 10, 84);

  for (int b = 0; b < kBars; ++b) {
    const int start = b * bar;
    // The melody, checked bar by bar so a slip in the score cannot shift the rest.
    std::istringstream notes(kMelody[b]);
    std::string item;
    double beats = 0;
    while (notes >> item) {
      const size_t colon = item.find(':');
      const int key = Key(item.substr(0, colon));
      const double length = colon == std::string::npos ? 0 : std::atof(item.c_str() + colon + 1);
      if (key == -2 || length <= 0) {
        std::fprintf(stderr, "tunegen: bad note %s in bar %d\n", item.c_str(), b + 1);
        return 1;
      }
      const int tick = start + int(std::lround(beats * kTicks));
      const int ticks = int(std::lround(length * kTicks));
      // Phrase ends (long notes) sound a little softer than the line.
      if (key >= 0) melody.Note(0, tick, ticks - 20, key, length >= 2 ? 82 : 96);
      beats += length;
    }
    if (std::abs(beats - kBeatsPerBar) > 1e-9) {
      std::fprintf(stderr, "tunegen: bar %d holds %.2f beats\n", b + 1, beats);
      return 1;
    }

    const bool last = b + 1 == kBars;
    for (int h = 0; h < 2; ++h) {
      const Chord& c = kHarmony[b][h];
      const int at = start + h * half;
      if (last && h == 1) break;  // the last chord is held through the bar
      const int span = last ? bar : half;
      // Bass: the root, and the fifth on the second half of a held chord.
      const bool same = kHarmony[b][0].root == kHarmony[b][1].root;
      bass.Note(2, at, span - 30, c.root + (same && h == 1 ? 7 : 0), 88);
      // Strings: the chord voiced around middle C, held.
      for (int t : c.tones) {
        int key = c.root + t;
        while (key < 55) key += 12;
        strings.Note(1, at, span - 10, key, 52);
      }
      // Guitar: broken chord in eighths.
      const int up[] = {c.root + 12, c.root + 19, c.root + 24, c.root + 12 + c.tones[1]};
      if (last) {
        for (int i = 0; i < 4; ++i) guitar.Note(3, at + i * 30, bar - i * 30, up[i], 70);
      } else {
        for (int i = 0; i < 4; ++i)
          guitar.Note(3, at + i * (kTicks / 2), kTicks / 2, up[i], i == 0 ? 72 : 60);
      }
    }
  }

  std::string file = "MThd";
  Track::Be32(file, 6);
  const uint8_t header[] = {
      0, 1, 0, 5, uint8_t(kTicks >> 8), uint8_t(kTicks & 0xFF)};  // format 1, 5 tracks
  file.append(reinterpret_cast<const char*>(header), sizeof header);
  file += tempo.Bytes();
  file += melody.Bytes();
  file += strings.Bytes();
  file += bass.Bytes();
  file += guitar.Bytes();

  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out << file;
  if (!out.flush()) {
    std::fprintf(stderr, "tunegen: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
