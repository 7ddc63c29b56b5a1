#include "sound.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QResource>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>
#include <atomic>
#include <csignal>
#include <cstdlib>
#include <memory>

#include "card_art.h"
#include "sound_catalogue.h"
#include "sounds.h"
#include "words.h"

namespace zarnet {
namespace {

QString Latin(std::string_view s) {
  return QString::fromLatin1(s.data(), qsizetype(s.size()));
}

uint32_t Le(const QByteArray& b, int at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | uint8_t(b[at + i]);
  return v;
}
uint32_t Be(const QByteArray& b, int at, int bytes) {
  uint32_t v = 0;
  for (int i = 0; i < bytes; ++i) v = (v << 8) | uint8_t(b[at + i]);
  return v;
}

struct WavInfo {
  bool ok = false;
  int format = 0, channels = 0, rate = 0, bits = 0;
  double seconds = 0;
  int peak = 0;  // largest sample magnitude
};

// Walks the RIFF chunks rather than trusting a fixed header size.
WavInfo ParseWav(const QByteArray& b) {
  WavInfo w;
  if (b.size() < 12 || !b.startsWith("RIFF") || b.mid(8, 4) != "WAVE") return w;
  if (Le(b, 4, 4) + 8 != uint32_t(b.size())) return w;
  bool fmt = false;
  for (int at = 12; at + 8 <= b.size();) {
    const QByteArray id = b.mid(at, 4);
    const uint32_t size = Le(b, at + 4, 4);
    if (at + 8 + qint64(size) > b.size()) return w;
    if (id == "fmt ") {
      w.format = int(Le(b, at + 8, 2));
      w.channels = int(Le(b, at + 10, 2));
      w.rate = int(Le(b, at + 12, 4));
      w.bits = int(Le(b, at + 22, 2));
      fmt = true;
    } else if (id == "data" && fmt && w.bits == 16 && w.channels > 0) {
      const int samples = int(size / 2);
      for (int i = 0; i < samples; ++i)
        w.peak = std::max(w.peak, std::abs(int(int16_t(Le(b, at + 8 + 2 * i, 2)))));
      w.seconds = double(samples) / w.channels / w.rate;
      w.ok = w.format == 1 && samples > 0;
    }
    at += 8 + int(size) + int(size & 1);
  }
  return w;
}

QByteArray ProgramResource(std::string_view name) {
  InitSoundResources();
  QFile f(":/" + Latin(kSoundType) + "/" + Latin(name));
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class SoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    ASSERT_TRUE(QDir(dir_.path()).mkpath("Zarnet"));
    ASSERT_TRUE(QDir(dir_.path()).mkpath("temp"));
    SetLanguageIndex(0);
  }
  QString ProgramFolder() const { return dir_.filePath("Zarnet"); }
  QString Temp() const { return dir_.filePath("temp"); }
  void PutVoiceLibrary(const QString& folder) {
    ASSERT_TRUE(QFile::copy(ZARNET_VOICE_LIBRARY, QDir(folder).filePath(Latin(kVoiceLibrary))));
  }
  QTemporaryDir dir_;
};

// --- The compiled-in effects ---

TEST_F(SoundTest, EveryEffectIsAnAudibleWavThatPlays) {
  Sound s(ProgramFolder(), Temp());
  ASSERT_FALSE(s.Silent());
  // Effects the engine waits for hold the table while they sound.
  const QSet<QString> waited = {"WHodsDo", "WKoloNo", "WOpenFo"};
  for (std::string_view name : kEffectNames) {
    SCOPED_TRACE(std::string(name));
    const QByteArray data = ProgramResource(name);
    const WavInfo w = ParseWav(data);
    ASSERT_TRUE(w.ok);
    EXPECT_EQ(w.bits, 16);
    EXPECT_TRUE(w.rate == 22050 || w.rate == 44100) << w.rate;
    EXPECT_GT(w.peak, 8000) << "too quiet to hear";
    EXPECT_LT(w.peak, 32767) << "clipped";
    EXPECT_GT(w.seconds, 0.02);
    EXPECT_LT(w.seconds, waited.contains(Latin(name)) ? 0.5 : 2.5);
    Mix_HaltChannel(-1);
    s.PlayEffect(name, false, true);
    EXPECT_TRUE(s.EffectPlaying());
  }
}

TEST_F(SoundTest, SynchronousPlayWaitsUntilTheChannelEnds) {
  Sound s(ProgramFolder(), Temp());
  ASSERT_FALSE(s.Silent()) << "the dummy driver opens";
  int calls = 0;
  bool playingAtEveryCall = true;
  s.Wait = [&](int) {
    playingAtEveryCall = playingAtEveryCall && s.EffectPlaying();
    // The third wait sees the sound end, however long the clip is.
    if (++calls == 3) Mix_HaltChannel(-1);
  };
  s.PlayEffect("WFiBest", true, true);
  EXPECT_EQ(calls, 3);
  EXPECT_TRUE(playingAtEveryCall);
  EXPECT_FALSE(s.EffectPlaying());
}

TEST_F(SoundTest, AsynchronousPlayReturnsAtOnceAndANewSoundReplacesTheOld) {
  Sound s(ProgramFolder(), Temp());
  ASSERT_FALSE(s.Silent());
  int calls = 0;
  s.Wait = [&](int) { ++calls; };
  s.PlayEffect("WFiBest", false, true);
  EXPECT_TRUE(s.EffectPlaying());
  Mix_Chunk* first = Mix_GetChunk(0);
  s.PlayEffect("WKoGood", false, true);
  EXPECT_TRUE(s.EffectPlaying());
  EXPECT_NE(Mix_GetChunk(0), first);
  EXPECT_EQ(calls, 0);
}

TEST_F(SoundTest, TwoPlayersShareTheDeviceUntilTheLastCloses) {
  auto first = std::make_unique<Sound>(ProgramFolder(), Temp());
  Sound second(ProgramFolder(), Temp());
  ASSERT_FALSE(first->Silent());
  ASSERT_FALSE(second.Silent());
  first.reset();
  second.PlayEffect("WFiBest", false, true);
  EXPECT_TRUE(second.EffectPlaying());
}

TEST_F(SoundTest, OpeningTheDeviceLeavesTheStopSignalsAlone) {
  Sound s(ProgramFolder(), Temp());
  ASSERT_FALSE(s.Silent());
  for (int signal : {SIGINT, SIGTERM}) {
    struct sigaction current {};
    ASSERT_EQ(sigaction(signal, nullptr, &current), 0);
    EXPECT_EQ(current.sa_handler, SIG_DFL) << signal;
  }
}

TEST_F(SoundTest, DisabledOrUnknownEffectsPlayNothing) {
  Sound s(ProgramFolder(), Temp());
  ASSERT_FALSE(s.Silent());
  int calls = 0;
  s.Wait = [&](int) { ++calls; };
  s.PlayEffect("WHodsDo", true, false);
  s.PlayEffect("WFiBest", false, false);
  EXPECT_FALSE(s.EffectPlaying());
  s.PlayEffect("WNoSuch", true, true);
  s.PlayEffect("", true, true);
  EXPECT_FALSE(s.EffectPlaying());
  EXPECT_EQ(calls, 0);
}

TEST_F(SoundTest, WithoutADeviceEverythingIsQuietAndNothingFails) {
  const QByteArray saved = qgetenv("SDL_AUDIODRIVER");
  qputenv("SDL_AUDIODRIVER", "no-such-driver");
  {
    Sound s(ProgramFolder(), Temp());
    qputenv("SDL_AUDIODRIVER", saved);
    ASSERT_TRUE(s.Silent());
    int calls = 0;
    s.Wait = [&](int) { ++calls; };
    s.PlayEffect("WHodsDo", true, true);
    EXPECT_EQ(calls, 0);
    PutVoiceLibrary(ProgramFolder());
    EXPECT_TRUE(s.SayCard({kQueen, kHearts}, true));
    // The tune's file is still written for a later run; playing it does nothing.
    EXPECT_TRUE(s.PrepareMusic());
    EXPECT_TRUE(QFile::exists(s.MusicFile()));
    s.PlayMusic(true);
    EXPECT_TRUE(s.MusicStopped());
  }
  qputenv("SDL_AUDIODRIVER", saved);
}

// --- The voice ---

TEST(VoiceClipName, IsTheFaceBaseNameVoiceAndLanguageCode) {
  EXPECT_EQ(VoiceClipName({kQueen, kHearts}, "Rus"), "Ch3QVoiceRus");
  EXPECT_EQ(VoiceClipName({kAce, kSpades}, "Rus"), "Pi5AVoiceRus");
  EXPECT_EQ(VoiceClipName({'1', kClubs}, "Eng"), "Kr10VoiceEng");
  EXPECT_EQ(VoiceClipName({'2', kDiamonds}, "Kor"), "Bu02VoiceKor");
  EXPECT_EQ(VoiceClipName(EmptyCard, "Eng"), "VoiceEng");
}

// The voice has its own codes: Japanese and Korean pictures are the English ones, their voices not.
const char* const kVoiceCodes[10] = {"Eng", "Rus", "Deu", "Fra", "Spa",
                                     "Chi", "Ita", "Cze", "Jap", "Kor"};

TEST(VoiceLanguageCode, FollowsTheLanguageIndex) {
  for (int i = 0; i < 10; ++i) EXPECT_EQ(VoiceLanguageCode(i), kVoiceCodes[i]) << i;
  EXPECT_EQ(VoiceLanguageCode(-1), "Eng");
  EXPECT_EQ(VoiceLanguageCode(10), "Eng");
}

TEST_F(SoundTest, MissingVoiceLibraryReturnsFalseQuietly) {
  Sound s(ProgramFolder(), Temp());
  int calls = 0;
  s.Wait = [&](int) { ++calls; };
  EXPECT_FALSE(s.SayCard({kAce, kSpades}, true));
  EXPECT_FALSE(s.SayCard({kAce, kSpades}, false));
  EXPECT_FALSE(s.EffectPlaying());
  EXPECT_EQ(calls, 0);
  // A damaged file is no library either.
  const QString path = QDir(ProgramFolder()).filePath(Latin(kVoiceLibrary));
  QFile junk(path);
  ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
  junk.write(QByteArray(4096, 'x'));
  junk.close();
  EXPECT_FALSE(s.SayCard({kAce, kSpades}, false));
  // Placed later, it is found at the next call.
  ASSERT_TRUE(QFile::remove(path));
  PutVoiceLibrary(ProgramFolder());
  EXPECT_TRUE(s.SayCard({kAce, kSpades}, false));
}

TEST_F(SoundTest, VoiceLibraryInTheParentFolderSpeaks) {
  PutVoiceLibrary(dir_.path());
  Sound s(ProgramFolder(), Temp());
  ASSERT_FALSE(s.Silent());
  SetLanguageIndex(1);
  int calls = 0;
  s.Wait = [&](int) {
    if (++calls == 1) {
      EXPECT_TRUE(s.EffectPlaying());
    }
    Mix_HaltChannel(-1);
  };
  EXPECT_TRUE(s.SayCard({kAce, kSpades}, true));
  EXPECT_EQ(calls, 1) << "a synchronous clip is waited for";
  // A code without a face has no clip: silence, but the voice is there.
  calls = 0;
  EXPECT_TRUE(s.SayCard(EmptyCard, true));
  EXPECT_EQ(calls, 0);
  EXPECT_FALSE(s.EffectPlaying());
  // Asynchronous: returns with the clip sounding.
  EXPECT_TRUE(s.SayCard({kQueen, kHearts}, false));
  EXPECT_TRUE(s.EffectPlaying());
}

// Which clip sounds: the mixer converts a clip the same way each time, so its
// length at the device identifies it.
TEST_F(SoundTest, JapaneseSpeaksTheJapaneseClip) {
  PutVoiceLibrary(ProgramFolder());
  Sound s(ProgramFolder(), Temp());
  ASSERT_FALSE(s.Silent());
  ASSERT_TRUE(QResource::registerResource(ZARNET_VOICE_LIBRARY, "/voice-which"));
  auto converted = [](const QString& name) {
    QFile f(":/voice-which/RCDATA/" + name);
    if (!f.open(QIODevice::ReadOnly)) return Uint32(0);
    const QByteArray data = f.readAll();
    Mix_Chunk* c = Mix_LoadWAV_RW(SDL_RWFromConstMem(data.constData(), int(data.size())), 1);
    const Uint32 len = c ? c->alen : 0;
    if (c) Mix_FreeChunk(c);
    return len;
  };
  const Uint32 japanese = converted("Kr4KVoiceJap");
  ASSERT_GT(japanese, 0u);
  ASSERT_NE(japanese, converted("Kr4KVoiceEng"));
  SetLanguageIndex(8);
  EXPECT_TRUE(s.SayCard({kKing, kClubs}, false));
  ASSERT_NE(Mix_GetChunk(0), nullptr);
  EXPECT_EQ(Mix_GetChunk(0)->alen, japanese);
  QResource::unregisterResource(ZARNET_VOICE_LIBRARY, "/voice-which");
}

TEST(VoiceLibrary, HasADistinctSpokenClipForEveryCardAndLanguage) {
  ASSERT_TRUE(QResource::registerResource(ZARNET_VOICE_LIBRARY, "/voice-check"));
  QSet<QByteArray> clips;
  int expected = 0;
  for (int language = 0; language < kLanguageCount; ++language) {
    const QString code = kVoiceCodes[language];
    for (int slot = 1; slot <= 56; ++slot) {
      const QString base = FaceBaseName(slot);
      if (base.isEmpty()) continue;
      const QString name = base + Latin(kVoiceInfix) + code;
      SCOPED_TRACE(name.toStdString());
      QFile f(":/voice-check/" + Latin(kSoundType) + "/" + name);
      ASSERT_TRUE(f.open(QIODevice::ReadOnly));
      const QByteArray data = f.readAll();
      const WavInfo w = ParseWav(data);
      ASSERT_TRUE(w.ok);
      EXPECT_GT(w.peak, 3000) << "nothing spoken";
      EXPECT_GT(w.seconds, 0.2);
      EXPECT_LT(w.seconds, 3.0);
      clips.insert(data);
      ++expected;
    }
  }
  EXPECT_EQ(expected, 52 * kLanguageCount);
  // Two names spoken alike would mean a card or language got the wrong text.
  EXPECT_EQ(clips.size(), expected);
  QResource::unregisterResource(ZARNET_VOICE_LIBRARY, "/voice-check");
}

TEST(OverVisibleTrump, OnlyTheUncoveredPartWhileFiveOrMoreCardsRemain) {
  const ScaleFactors small;  // 760 x 500: design units are pixels
  ScaleFactors large;
  large.Scale = 2.0;
  struct Case {
    const ScaleFactors* f;
    int x, y, shift, width, height, deckNext;
    bool spoken;
  } cases[] = {
      // Small window, wide card 71 x 96: x 12..83, y 116..166.
      {&small, 40, 140, 0, 71, 96, 7, true},
      {&small, 12, 116, 0, 71, 96, 7, true},    // top-left corner
      {&small, 83, 166, 0, 71, 96, 7, true},    // bottom-right corner
      {&small, 11, 140, 0, 71, 96, 7, false},   // left of the card
      {&small, 84, 140, 0, 71, 96, 7, false},   // right of it
      {&small, 40, 115, 0, 71, 96, 7, false},   // under the stack of backs
      {&small, 40, 167, 0, 71, 96, 7, false},   // below the card
      {&small, 40, 140, 0, 71, 96, 36, true},   // five cards left
      {&small, 40, 140, 0, 71, 96, 37, false},  // four left: the stack hides the card
      {&small, 40, 140, 0, 71, 96, 41, false},  // the deck is gone
      // Doubled, narrow 126 x 198 shifted by 5: x 34..160, y 216..338.
      {&large, 34, 216, 5, 126, 198, 7, true},
      {&large, 33, 300, 5, 126, 198, 7, false},
      {&large, 160, 338, 5, 126, 198, 7, true},
      {&large, 100, 215, 5, 126, 198, 7, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(OverVisibleTrump(*c.f, c.x, c.y, c.shift, c.width, c.height, c.deckNext), c.spoken)
        << "x " << c.x << " y " << c.y << " deckNext " << c.deckNext << " scale " << c.f->Scale;
}

// --- The menu tune ---

struct MidiSummary {
  bool ok = false;
  int format = -1, tracks = 0, division = 0, notes = 0;
  double seconds = 0;
};

// Reads the file's chunks and every track's events, running status included.
MidiSummary ParseMidi(const QByteArray& b) {
  MidiSummary m;
  if (b.size() < 14 || !b.startsWith("MThd") || Be(b, 4, 4) != 6) return m;
  m.format = int(Be(b, 8, 2));
  const int declared = int(Be(b, 10, 2));
  m.division = int(Be(b, 12, 2));
  if (m.division <= 0 || (m.division & 0x8000)) return m;
  double usPerQuarter = 500000;
  long longest = 0;
  int at = 14;
  while (at + 8 <= b.size()) {
    if (b.mid(at, 4) != "MTrk") return m;
    const int end = at + 8 + int(Be(b, at + 4, 4));
    if (end > b.size()) return m;
    int p = at + 8;
    long tick = 0;
    uint8_t status = 0;
    bool ended = false;
    auto vlq = [&] {
      uint32_t v = 0;
      for (int i = 0; i < 4 && p < end; ++i) {
        const uint8_t c = uint8_t(b[p++]);
        v = (v << 7) | (c & 0x7F);
        if (!(c & 0x80)) break;
      }
      return v;
    };
    while (p < end && !ended) {
      tick += long(vlq());
      if (p >= end) return m;
      uint8_t c = uint8_t(b[p]);
      if (c & 0x80)
        status = c, ++p;
      else if (!status)
        return m;
      if (status == 0xFF) {
        const uint8_t type = uint8_t(b[p++]);
        const int len = int(vlq());
        if (type == 0x51 && len == 3) usPerQuarter = Be(b, p, 3);
        if (type == 0x2F) ended = true;
        p += len;
        status = 0;
      } else if (status == 0xF0 || status == 0xF7) {
        p += int(vlq());
        status = 0;
      } else {
        const int kind = status & 0xF0;
        const int len = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
        if (kind == 0x90 && p + 1 < end && b[p + 1] != 0) ++m.notes;
        p += len;
      }
    }
    if (!ended || p != end) return m;
    longest = std::max(longest, tick);
    ++m.tracks;
    at = end;
  }
  m.seconds = double(longest) / m.division * usPerQuarter / 1e6;
  m.ok = at == b.size() && m.tracks == declared;
  return m;
}

TEST(MenuTune, IsAFormatOneMidiFileOfAShortPiece) {
  const MidiSummary m = ParseMidi(ProgramResource(kTuneResource));
  ASSERT_TRUE(m.ok);
  EXPECT_EQ(m.format, 1);
  EXPECT_GE(m.tracks, 2);
  EXPECT_GT(m.notes, 50);
  EXPECT_GT(m.seconds, 20);
  EXPECT_LT(m.seconds, 120);
}

TEST(MenuTune, ParserRefusesDamagedFiles) {
  const QByteArray good = ProgramResource(kTuneResource);
  ASSERT_TRUE(ParseMidi(good).ok);
  EXPECT_FALSE(ParseMidi(good.left(good.size() - 3)).ok);  // cut short
  QByteArray lying = good;
  lying[11] = char(lying[11] + 1);  // claims one track more
  EXPECT_FALSE(ParseMidi(lying).ok);
}

TEST_F(SoundTest, TuneIsWrittenOnceThenStoppedResumedAndRepeated) {
  Sound s(ProgramFolder(), Temp());
  ASSERT_FALSE(s.Silent());
  int messages = 0;
  s.CantCreateMusicFile = [&] { ++messages; };
  EXPECT_EQ(s.MusicFile(), QDir(Temp()).filePath("temp88_25.mid"));
  EXPECT_TRUE(s.MusicStopped());
  s.PlayMusic(true);  // nothing is open yet
  EXPECT_TRUE(s.MusicStopped());

  ASSERT_TRUE(s.PrepareMusic());
  QFile f(s.MusicFile());
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), ProgramResource(kTuneResource));
  f.close();

  s.PlayMusic(true);
  EXPECT_FALSE(s.MusicStopped());
  s.PlayMusic(false);  // a deal begins
  EXPECT_TRUE(s.MusicStopped());
  s.MusicTimerTick(true, false);  // at the table: stays quiet
  s.MusicTimerTick(false, true);  // music switched off: stays quiet
  EXPECT_TRUE(s.MusicStopped());
  s.MusicTimerTick(true, true);  // back at the menu
  EXPECT_FALSE(s.MusicStopped());

  // Saving the settings removes the file; the tune plays on, and the file comes back
  // the next time the tune is prepared.
  s.DeleteMusicFile();
  EXPECT_FALSE(QFile::exists(s.MusicFile()));
  EXPECT_FALSE(s.MusicStopped());
  ASSERT_TRUE(s.PrepareMusic());
  EXPECT_TRUE(QFile::exists(s.MusicFile()));
  EXPECT_EQ(messages, 0);
}

TEST_F(SoundTest, ClosingRemovesTheTuneFile) {
  QString file;
  {
    Sound s(ProgramFolder(), Temp());
    ASSERT_TRUE(s.PrepareMusic());
    file = s.MusicFile();
    ASSERT_TRUE(QFile::exists(file));
  }
  EXPECT_FALSE(QFile::exists(file));
}

// The loudest sample the device has mixed since the hook was set.
std::atomic<int> mixedPeak{0};
void MeasurePeak(void*, Uint8* stream, int len) {
  const auto* samples = reinterpret_cast<const int16_t*>(stream);
  int peak = mixedPeak.load();
  for (int i = 0; i < len / 2; ++i) peak = std::max(peak, std::abs(int(samples[i])));
  mixedPeak.store(peak);
}

TEST_F(SoundTest, TuneSoundsThroughTheSoundFont) {
  Sound s(ProgramFolder(), Temp());
  ASSERT_FALSE(s.Silent());
  ASSERT_TRUE(s.PrepareMusic());
  mixedPeak = 0;
  Mix_SetPostMix(MeasurePeak, nullptr);
  s.PlayMusic(true);
  // The dummy device mixes in real time: wait for the first notes, a few seconds at most.
  for (int i = 0; i < 300 && mixedPeak < 1000; ++i) QThread::msleep(10);
  Mix_SetPostMix(nullptr, nullptr);
  EXPECT_GE(mixedPeak.load(), 1000) << "the tune played silently: no General MIDI font?";
}

TEST_F(SoundTest, TuneLeftByAnEarlierRunIsReusedAsItIs) {
  const QString path = QDir(Temp()).filePath(MusicFileName());
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("left from before");
  f.close();
  Sound s(ProgramFolder(), Temp());
  s.CantCreateMusicFile = [] { ADD_FAILURE() << "no message expected"; };
  EXPECT_TRUE(s.PrepareMusic());
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), "left from before");
}

TEST_F(SoundTest, UnwritableTuneFileShowsTheMessageAndKeepsTheTuneOff) {
  Sound s(ProgramFolder(), dir_.filePath("no/such/folder"));
  int messages = 0;
  s.CantCreateMusicFile = [&] { ++messages; };
  EXPECT_FALSE(s.PrepareMusic());
  EXPECT_EQ(messages, 1);
  s.PlayMusic(true);
  s.MusicTimerTick(true, true);
  EXPECT_TRUE(s.MusicStopped());
}

}  // namespace
}  // namespace zarnet

int main(int argc, char** argv) {
  // Test discovery runs without the test environment: stay off the sound card either way.
  if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER")) qputenv("SDL_AUDIODRIVER", "dummy");
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
