#include "settings.h"

#include <vector>

#include "atomic_file.h"
#include "number_text.h"

namespace zarnet {
namespace {

constexpr char kRecordOn = '\xE8';   // и
constexpr char kRecordOff = '\xEB';  // л

bool Flag(char c, bool* v) {
  if (c == '1') *v = true;
  else if (c == '0') *v = false;
  else return false;
  return true;
}

void Digit(char c, int lo, int hi, int* v) {
  if (c >= '0' + lo && c <= '0' + hi) *v = c - '0';
}

void Number(const std::string& text, int lo, int hi, int* v) {
  const auto n = ReadInteger(text);
  if (n && *n >= lo && *n <= hi) *v = static_cast<int>(*n);
}

void ReadSwitchLine(const std::string& l, Settings& s) {
  auto at = [&](int pos) { return static_cast<int>(l.size()) >= pos ? l[pos - 1] : '\0'; };
  Digit(at(1), 0, 9, &s.Language);
  switch (at(2)) {
    case '0': s.SoundOn = false, s.MusicOn = false; break;
    case '1': s.SoundOn = true, s.MusicOn = true; break;
    case '2': s.SoundOn = true, s.MusicOn = false; break;
    case '3': s.SoundOn = false, s.MusicOn = true; break;
  }
  Flag(at(3), &s.GifAnimation);
  Flag(at(4), &s.OptFlyCards);
  Digit(at(5), 1, 2, &s.PlayerListMode);
  Flag(at(6), &s.NetGame);
  Flag(at(7), &s.OwnCursor);
  Digit(at(8), 1, 6, &s.FlySpeed);
  Digit(at(9), 1, 5, &s.WindowMode);
  if (at(10) == 'R' || at(10) == '#') s.LaunchReported = at(10) == 'R';
  if (at(11) == 'L' || at(11) == '#') s.LikeSent = at(11) == 'L';
  Digit(at(12), 0, 1, &s.RadioListSource);
  Digit(at(13), 1, 8, &s.CaptionColour);
  Flag(at(14), &s.NewButtons);
  Flag(at(15), &s.LibraryWindows);
  Digit(at(16), 1, 3, &s.WindowStyle);
  Flag(at(17), &s.MenuDesign);
  Flag(at(18), &s.TableDesign);
  Flag(at(19), &s.SaluteButtons);
  Flag(at(20), &s.SaluteCards);
}

std::string SwitchLine(const Settings& s) {
  std::string l(20, '#');
  auto flag = [](bool b) { return b ? '1' : '0'; };
  l[0] = static_cast<char>('0' + s.Language);
  l[1] = s.SoundOn && s.MusicOn ? '1' : s.SoundOn ? '2' : s.MusicOn ? '3' : '0';
  l[2] = flag(s.GifAnimation);
  l[3] = flag(s.OptFlyCards);
  l[4] = static_cast<char>('0' + s.PlayerListMode);
  l[5] = flag(s.NetGame);
  l[6] = flag(s.OwnCursor);
  l[7] = '4';
  if (s.FlySpeed >= 1 && s.FlySpeed <= 6) l[7] = static_cast<char>('0' + s.FlySpeed);
  l[8] = static_cast<char>('0' + s.WindowMode);
  l[9] = s.LaunchReported ? 'R' : '#';
  l[10] = s.LikeSent ? 'L' : '#';
  l[11] = static_cast<char>('0' + s.RadioListSource);
  l[12] = static_cast<char>('0' + s.CaptionColour);
  l[13] = flag(s.NewButtons);
  l[14] = flag(s.LibraryWindows);
  l[15] = '1';
  if (s.WindowStyle >= 1 && s.WindowStyle <= 3) l[15] = static_cast<char>('0' + s.WindowStyle);
  l[16] = flag(s.MenuDesign);
  l[17] = flag(s.TableDesign);
  l[18] = flag(s.SaluteButtons);
  l[19] = flag(s.SaluteCards);
  return l;
}

std::string BackgroundNumber(int pattern, int colour) {
  std::string t = std::to_string(pattern) + std::to_string(colour);
  if (t.size() == 2) t.insert(0, 1, '0');
  return t;
}

}  // namespace

bool ValidCountryCode(const std::string& code) {
  static const int kCountries[7] = {0, 48, 51, 35, 14, 23, 54};
  if (code.size() != 5 || code[1] != '-') return false;
  if (code[0] < '1' || code[0] > '6') return false;
  for (int i = 2; i < 5; ++i)
    if (code[i] < '0' || code[i] > '9') return false;
  return std::stoi(code.substr(2)) <= kCountries[code[0] - '0'];
}

Settings DefaultSettings(const std::string& defaultPlayerName) {
  Settings s;
  s.LastPlayerName = defaultPlayerName;
  return s;
}

Settings ParseSettings(const std::string& text, Settings s) {
  const std::vector<std::string> lines = SplitLines(text);
  if (lines.size() < 35) return s;
  auto line = [&](int n) -> const std::string& { return lines[n - 1]; };
  ReadSwitchLine(line(2), s);
  Number(line(4), 0, 47, &s.FaceDesign);
  if (line(6).size() >= 3) {
    int set = s.BackSet;
    Number(line(6).substr(0, 2), 0, 12, &set);
    s.BackSet = set;
    s.BackAlwaysOne = line(6)[2] == '1';
  }
  if (!line(8).empty()) s.OptBlackHand = line(8)[0] != '0';
  if (line(8).size() >= 2) s.OptReplaceDeuce = line(8)[1] != '0';
  if (line(8).size() >= 3) {
    const char level = line(8)[2];
    s.Opponent = level == 'S'   ? OpponentLevel::Strong
                 : level == 'E' ? OpponentLevel::Expert
                                : OpponentLevel::Standard;
  }
  for (int r = 0; r < 4; ++r) {
    if (line(10 + r).size() > 1) s.Fonts[r].name = line(10 + r);
    Number(line(14 + r), 50, 150, &s.Fonts[r].percentage);
  }
  s.LastServerAddress = line(19);
  s.LastServerPort = line(20);
  if (line(22).size() >= 3) {
    int pattern = s.BgPattern, colour = s.BgColour;
    Number(line(22).substr(0, 2), 0, 10, &pattern);
    Digit(line(22)[2], 0, 6, &colour);
    s.BgPattern = pattern;
    s.BgColour = colour;
  }
  s.LastPlayerName = line(24);
  s.RecordsAddress = line(26);
  s.PassportNick = line(27).substr(0, 12);
  if (ValidCountryCode(line(28))) s.PassportCountry = line(28);
  s.PassportCity = line(29).substr(0, 15);
  s.PassportSex = line(30) == "W" ? 'W' : 'M';
  s.SecondServiceAddress = line(31);
  s.RecordGames = line(33).size() == 1 && line(33)[0] == kRecordOn;
  Number(line(34), 1, 2, &s.RecordMode);
  Number(line(35), 10, 5000, &s.FrameDelay);
  return s;
}

std::string SettingsText(const Settings& s) {
  std::vector<std::string> l = {
      "<# General>",
      SwitchLine(s),
      "<# Cards>",
      std::to_string(s.FaceDesign),
      "<# Decks>",
      RightAligned(s.BackSet, 2, '0') + (s.BackAlwaysOne ? "1" : "0"),
      "<# Individual>",
      std::string{s.OptBlackHand ? '1' : '0', s.OptReplaceDeuce ? '1' : '0',
                  s.Opponent == OpponentLevel::Strong   ? 'S'
                  : s.Opponent == OpponentLevel::Expert ? 'E'
                                                        : '#',
                  '#', '#', '#'},
      "<# Fonts>",
  };
  for (const FontRole& f : s.Fonts) l.push_back(f.name);
  for (const FontRole& f : s.Fonts) l.push_back(std::to_string(f.percentage));
  const std::vector<std::string> rest = {
      "<# IP & Port>",
      s.LastServerAddress,
      s.LastServerPort,
      "<# Background>",
      BackgroundNumber(s.BgPattern, s.BgColour),
      "<# Name Of Player>",
      s.LastPlayerName,
      "<# World Top Ten>",
      s.RecordsAddress,
      s.PassportNick,
      s.PassportCountry,
      s.PassportCity,
      std::string(1, s.PassportSex),
      s.SecondServiceAddress,
      "<# Save Games as GIF>",
      std::string(1, s.RecordGames ? kRecordOn : kRecordOff),
      std::to_string(s.RecordMode),
      std::to_string(s.FrameDelay),
  };
  l.insert(l.end(), rest.begin(), rest.end());
  std::string text;
  for (const std::string& line : l) text += line + "\r\n";
  return text;
}

Settings LoadSettings(const std::string& folder, const std::string& defaultPlayerName) {
  const Settings defaults = DefaultSettings(defaultPlayerName);
  const std::string path = folder + "/" + kSettingsFileName;
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (const auto text = ReadWholeFile(path)) return ParseSettings(*text, defaults);
  }
  return defaults;
}

bool SaveSettings(const std::string& folder, const Settings& s) {
  const std::string path = folder + "/" + kSettingsFileName;
  const std::string text = SettingsText(s);
  return ReplaceFile(path, text) || ReplaceFile(path, text);  // one retry
}

}  // namespace zarnet
