// The settings file "Zarnet.ini": 35 fixed lines, cp1251, CR LF.
#pragma once

#include <array>
#include <string>

#include "game_state.h"

namespace zarnet {

inline constexpr const char* kSettingsFileName = "Zarnet.ini";

struct FontRole {
  std::string name;
  int percentage = 100;
  bool operator==(const FontRole&) const = default;
};

struct Settings {
  // The switch line.
  int Language = 0;
  bool SoundOn = true;
  bool MusicOn = true;
  bool GifAnimation = true;
  bool OptFlyCards = true;
  int PlayerListMode = 1;
  bool NetGame = false;
  bool OwnCursor = true;
  int FlySpeed = 4;
  int WindowMode = 1;
  bool LaunchReported = true;
  bool LikeSent = true;
  int RadioListSource = 0;
  int CaptionColour = 1;
  bool NewButtons = false;
  bool LibraryWindows = false;
  int WindowStyle = 2;
  bool MenuDesign = false;
  bool TableDesign = false;
  bool SaluteButtons = false;
  bool SaluteCards = false;

  int FaceDesign = 0;
  int BackSet = 0;
  bool BackAlwaysOne = false;
  bool OptBlackHand = true;
  bool OptReplaceDeuce = true;
  // Rules line position 3: "S" strong, "E" expert, "#" (or anything else) standard.
  OpponentLevel Opponent = OpponentLevel::Standard;
  // "decor", "serif", "fixed", "conew".
  std::array<FontRole, 4> Fonts = {FontRole{"Comic Sans MS", 100}, FontRole{"Comic Sans MS", 100},
                                   FontRole{"FixedSys", 100}, FontRole{"Courier New", 100}};
  std::string LastServerAddress = "127.0.0.1";
  std::string LastServerPort = "25666";
  int BgPattern = 2;
  int BgColour = 0;
  std::string LastPlayerName;  // cp1251; defaults to "Mr.X" of the language
  std::string RecordsAddress;
  std::string PassportNick = "Incognito";
  std::string PassportCountry = "1-001";
  std::string PassportCity = "Moscow";
  char PassportSex = 'M';
  std::string SecondServiceAddress;
  bool RecordGames = false;
  int RecordMode = 1;
  int FrameDelay = 1000;

  bool operator==(const Settings&) const = default;
};

// The defaults, with the default player name of the language.
Settings DefaultSettings(const std::string& defaultPlayerName);

// Defaults, then whatever a complete file in `folder` says.
Settings LoadSettings(const std::string& folder, const std::string& defaultPlayerName);

// The 35 lines as written, CR LF after each.
std::string SettingsText(const Settings& s);
// Takes a file's text over defaults; anything but 35 or more lines changes nothing.
Settings ParseSettings(const std::string& text, Settings defaults);

// Writes the file through a temporary file renamed over the old one, so a
// failed write leaves the old settings intact. False when it could not be written.
bool SaveSettings(const std::string& folder, const Settings& s);

// A passport country code "c-nnn" within the continent's country list.
bool ValidCountryCode(const std::string& code);

}  // namespace zarnet
