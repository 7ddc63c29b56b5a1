// Effects, spoken card names and the menu tune. Without an audio device the
// program stays silent and nothing fails.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "card_art.h"
#include "cards.h"
#include "layout.h"

struct Mix_Chunk;
struct _Mix_Music;

namespace zarnet {

// The user's temporary folder as the platform gives it.
QString SystemTempFolder();
// "temp88_25.mid": the tune's file in the temporary folder.
QString MusicFileName();
// Voice clip of a card: face base name + "Voice" + language code
// ("Ch3QVoiceRus"); a code with no face gives just "Voice" + code.
QString VoiceClipName(CardCode code, const QString& languageCode);
// The voice's code for a language index ("Jap" for 8); English outside 0..9.
QString VoiceLanguageCode(int languageIndex);

// A right-click at (x, y) in the deck panel is over the part of the turned-up
// trump card the stack of backs leaves uncovered, and the deck still holds
// more than four cards (deckNext <= 36): the trump card is then spoken.
bool OverVisibleTrump(const ScaleFactors& f, int x, int y, int cardShiftX, int cardWidth,
                      int cardHeight, int deckNext);

// One per program (more share one device): it opens the audio device when
// made and closes it, and removes the tune's file, when destroyed. The main
// window's TableView::PlayEffect and SayCard forward to the members of the
// same names (the engine passes SoundOn as enabled). The tune, by event:
//   first show of the main window   PrepareMusic(); PlayMusic(MusicOn)
//   a deal begins                   if (MusicOn) PlayMusic(false)
//   back at the menu                if (MusicOn) PlayMusic(true)
//   Timer2, every second            MusicTimerTick(MusicOn, menu shown)
//   CheckBox2 switched              PlayMusic(checked)
//   the settings saved              DeleteMusicFile()
class Sound {
 public:
  // The voice library is looked for in programFolder, then in its parent.
  // tempFolder is read once, here, and fixed for the run.
  explicit Sound(QString programFolder, QString tempFolder = SystemTempFolder());
  ~Sound();
  Sound(const Sound&) = delete;
  Sound& operator=(const Sound&) = delete;

  // No audio device: every call below stays quiet.
  bool Silent() const { return !open_; }

  // Plays a compiled-in effect when enabled (callers pass SoundOn). With wait
  // the call returns once the sound has ended; otherwise at once. A new sound
  // replaces one still playing. An unknown name plays nothing.
  void PlayEffect(std::string_view name, bool wait, bool enabled);

  // Speaks the card's name in the current language. False when the voice
  // library is missing; a card without a clip is silence, still true.
  bool SayCard(CardCode code, bool wait);

  const QString& TempFolder() const { return tempFolder_; }
  // Full path of the tune's file.
  const QString& MusicFile() const { return musicFile_; }

  // Writes the tune to MusicFile unless a file is already there, then opens
  // it. False when the file could not be written: the player is told (through
  // CantCreateMusicFile) and the tune stays off for the run.
  bool PrepareMusic();
  // Starts (or resumes where it was stopped) or stops the tune. Nothing
  // happens while no tune is open.
  void PlayMusic(bool start);
  // The tune is not sounding: never started, stopped or played to its end.
  bool MusicStopped() const;
  // The once-a-second check that repeats the tune while the menu is shown.
  void MusicTimerTick(bool musicOn, bool menuShown);
  // Removes MusicFile (on saving the settings and at exit); the open tune
  // plays on from memory.
  void DeleteMusicFile();

  // Seams. Wait sleeps while a synchronous sound plays (tests step it instead
  // of sleeping); CantCreateMusicFile shows the error message.
  std::function<void(int ms)> Wait;
  std::function<void()> CantCreateMusicFile;

  // A sound is playing on the effects channel.
  bool EffectPlaying() const;

 private:
  void Play(Mix_Chunk* chunk, bool wait);
  Mix_Chunk* Effect(std::string_view name);

  bool open_ = false;
  QString tempFolder_;
  QString musicFile_;
  ResourceSource program_;
  ResourceSource voice_;
  bool voiceOpen_ = false;
  std::map<std::string, Mix_Chunk*, std::less<>> effects_;  // null: no such effect
  Mix_Chunk* voiceClip_ = nullptr;  // the clip last spoken, kept while it may sound
  _Mix_Music* music_ = nullptr;
};

}  // namespace zarnet
