#include "sound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QThread>
#include <chrono>

#include "atomic_file.h"
#include "message_box.h"
#include "sound_catalogue.h"
#include "sounds.h"
#include "words.h"

namespace zarnet {

namespace {

// Effects and voice share one channel: a new sound cuts the one before.
constexpr int kEffectChannel = 0;
constexpr int kGameIdentifier = 88;
// The General MIDI font the tune is played with.
constexpr const char* kSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

QString Latin(std::string_view s) {
  return QString::fromLatin1(s.data(), qsizetype(s.size()));
}

Mix_Chunk* LoadWav(const QByteArray& data) {
  if (data.isEmpty()) return nullptr;
  return Mix_LoadWAV_RW(SDL_RWFromConstMem(data.constData(), int(data.size())), 1);
}

// How long a chunk plays at the device's format.
std::chrono::milliseconds Length(const Mix_Chunk* chunk) {
  int rate = 0, channels = 0;
  Uint16 format = 0;
  if (!chunk || !Mix_QuerySpec(&rate, &format, &channels) || rate <= 0 || channels <= 0)
    return std::chrono::milliseconds(0);
  const int frameBytes = channels * int(SDL_AUDIO_BITSIZE(format) / 8);
  return std::chrono::milliseconds(qint64(chunk->alen) * 1000 / (qint64(rate) * frameBytes));
}

bool OpenDevice() {
  // SDL would otherwise take SIGINT and SIGTERM for an event loop this program
  // does not run, and the game could no longer be stopped by them.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  // A font the user has chosen through the environment wins.
  if (qEnvironmentVariableIsEmpty("SDL_SOUNDFONTS") && QFileInfo::exists(kSoundFont))
    Mix_SetSoundFonts(kSoundFont);
  Mix_Init(MIX_INIT_MID);
  if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  Mix_AllocateChannels(1);
  return true;
}

void CloseDevice() {
  Mix_CloseAudio();
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

// The device is opened once for all Sound objects alive at a time.
int deviceUsers = 0;
bool deviceOpen = false;

}  // namespace

QString SystemTempFolder() {
  return QDir::tempPath();
}

QString MusicFileName() {
  return QString("temp%1_25.mid").arg(kGameIdentifier);
}

QString VoiceClipName(CardCode code, const QString& languageCode) {
  return FaceBaseName(FaceSlot(code)) + Latin(kVoiceInfix) + languageCode;
}

QString VoiceLanguageCode(int languageIndex) {
  const bool known = languageIndex >= 0 && languageIndex < int(kVoiceLanguages.size());
  return Latin(kVoiceLanguages[known ? languageIndex : 0]);
}

bool OverVisibleTrump(const ScaleFactors& f, int x, int y, int cardShiftX, int cardWidth,
                      int cardHeight, int deckNext) {
  const int left = ScaleLen(f, 12) + ScaleLen(f, cardShiftX);
  const int top = ScaleLen(f, 45) + cardWidth;
  return deckNext <= 36 && x >= left && x <= left + cardWidth && y >= top &&
         y <= ScaleLen(f, 70) + cardHeight;
}

Sound::Sound(QString programFolder, QString tempFolder)
    : tempFolder_(std::move(tempFolder)),
      musicFile_(QDir(tempFolder_).filePath(MusicFileName())),
      program_(programFolder),
      voice_(programFolder) {
  InitSoundResources();
  Wait = [](int ms) { QThread::msleep(ulong(ms)); };
  CantCreateMusicFile = [] {
    TellPlayer(nullptr, QApplication::applicationDisplayName(),
               QString::fromStdString(WordUtf8(WordId::CantCreateMusicFile)), QMessageBox::Warning);
  };
  if (deviceUsers++ == 0) deviceOpen = OpenDevice();
  open_ = deviceOpen;
}

Sound::~Sound() {
  if (open_) {
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
  }
  for (auto& [name, chunk] : effects_)
    if (chunk) Mix_FreeChunk(chunk);
  if (voiceClip_) Mix_FreeChunk(voiceClip_);
  if (music_) Mix_FreeMusic(music_);
  DeleteMusicFile();
  if (--deviceUsers == 0 && deviceOpen) {
    CloseDevice();
    deviceOpen = false;
  }
}

bool Sound::EffectPlaying() const {
  return open_ && Mix_Playing(kEffectChannel) != 0;
}

Mix_Chunk* Sound::Effect(std::string_view name) {
  const auto found = effects_.find(name);
  if (found != effects_.end()) return found->second;
  Mix_Chunk* chunk = LoadWav(program_.ReadData(Latin(kSoundType), Latin(name)));
  effects_.emplace(std::string(name), chunk);
  return chunk;
}

void Sound::Play(Mix_Chunk* chunk, bool wait) {
  if (!open_ || !chunk) return;
  Mix_HaltChannel(kEffectChannel);
  if (Mix_PlayChannel(kEffectChannel, chunk, 0) < 0) return;
  if (!wait) return;
  // Never hold the table longer than the sound plus a margin, even if the
  // device stops consuming.
  const auto deadline = std::chrono::steady_clock::now() + Length(chunk) + std::chrono::seconds(1);
  while (Mix_Playing(kEffectChannel)) {
    if (std::chrono::steady_clock::now() > deadline) {
      Mix_HaltChannel(kEffectChannel);
      break;
    }
    Wait(5);
  }
}

void Sound::PlayEffect(std::string_view name, bool wait, bool enabled) {
  if (!enabled || !open_) return;
  Play(Effect(name), wait);
}

bool Sound::SayCard(CardCode code, bool wait) {
  if (!voiceOpen_) voiceOpen_ = voice_.Open(Latin(kVoiceLibrary));
  if (!voiceOpen_) return false;
  if (!open_) return true;
  const QByteArray data =
      voice_.ReadData(Latin(kSoundType), VoiceClipName(code, VoiceLanguageCode(LanguageIndex())));
  Mix_Chunk* clip = LoadWav(data);
  if (!clip) return true;
  // The clip before may still be sounding: cut it before it is freed.
  Mix_HaltChannel(kEffectChannel);
  if (voiceClip_) Mix_FreeChunk(voiceClip_);
  voiceClip_ = clip;
  Play(clip, wait);
  return true;
}

bool Sound::PrepareMusic() {
  if (music_) {
    Mix_HaltMusic();
    Mix_FreeMusic(music_);
    music_ = nullptr;
  }
  if (!QFileInfo(musicFile_).isFile()) {
    const QByteArray tune = program_.ReadData(Latin(kSoundType), Latin(kTuneResource));
    if (tune.isEmpty() || !ReplaceFile(musicFile_.toStdString(), tune.toStdString())) {
      if (CantCreateMusicFile) CantCreateMusicFile();
      return false;
    }
  }
  if (open_) music_ = Mix_LoadMUS(QFile::encodeName(musicFile_).constData());
  return true;
}

void Sound::PlayMusic(bool start) {
  if (!open_ || !music_) return;
  // Stopping pauses, so the tune goes on from there when the menu returns.
  if (!start) {
    if (Mix_PlayingMusic()) Mix_PauseMusic();
  } else if (Mix_PlayingMusic()) {
    if (Mix_PausedMusic()) Mix_ResumeMusic();
  } else {
    Mix_PlayMusic(music_, 1);
  }
}

bool Sound::MusicStopped() const {
  return !open_ || !music_ || !Mix_PlayingMusic() || Mix_PausedMusic();
}

void Sound::MusicTimerTick(bool musicOn, bool menuShown) {
  if (musicOn && menuShown && MusicStopped()) PlayMusic(true);
}

void Sound::DeleteMusicFile() {
  QFile::remove(musicFile_);
}

}  // namespace zarnet
