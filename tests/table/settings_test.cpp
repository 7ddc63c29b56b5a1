#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "settings.h"

namespace zarnet {
namespace {

namespace fs = std::filesystem;

// The text of a file whose line n (1-based) is replaced.
std::string WithLine(const Settings& s, int n, const std::string& line) {
  std::string text = SettingsText(s);
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t p; (p = text.find("\r\n", start)) != std::string::npos; start = p + 2)
    lines.push_back(text.substr(start, p - start));
  lines[n - 1] = line;
  std::string out;
  for (const auto& l : lines) out += l + "\r\n";
  return out;
}

TEST(SettingsFile, DefaultsWrittenAsThirtyFiveLines) {
  const Settings d = DefaultSettings("Mr.X");
  const std::string text = SettingsText(d);
  EXPECT_EQ(text.rfind("<# General>\r\n011110141RL010020000\r\n", 0), 0u);
  size_t lines = 0;
  for (size_t p = 0; (p = text.find("\r\n", p)) != std::string::npos; p += 2) ++lines;
  EXPECT_EQ(lines, 35u);
  EXPECT_NE(text.find("\r\n000\r\n"), std::string::npos);      // back set 0, by weekday
  EXPECT_NE(text.find("\r\n11####\r\n"), std::string::npos);  // both rules, standard opponent
  EXPECT_NE(text.find("\r\n020\r\n"), std::string::npos);       // pattern 2, colour 0
  EXPECT_NE(text.find("\r\n\xEB\r\n1\r\n1000\r\n"), std::string::npos);
  EXPECT_EQ(ParseSettings(text, DefaultSettings("x")), d);
}

TEST(SettingsFile, ShortFileKeepsEveryDefault) {
  Settings changed = DefaultSettings("Mr.X");
  changed.Language = 3;
  changed.FaceDesign = 12;
  std::string text = SettingsText(changed);
  text = text.substr(0, text.rfind("\r\n", text.size() - 3) + 2);  // 34 lines
  EXPECT_EQ(ParseSettings(text, DefaultSettings("Mr.X")), DefaultSettings("Mr.X"));
}

TEST(SettingsFile, SwitchLineTakesOnlyWhatItHolds) {
  const Settings d = DefaultSettings("Mr.X");
  Settings s = ParseSettings(WithLine(d, 2, "5001229"), d);  // seven positions only
  EXPECT_EQ(s.Language, 5);
  EXPECT_FALSE(s.SoundOn);
  EXPECT_FALSE(s.MusicOn);
  EXPECT_FALSE(s.GifAnimation);
  EXPECT_EQ(s.PlayerListMode, 2);
  EXPECT_FALSE(s.NetGame);   // "2" is no flag: default
  EXPECT_TRUE(s.OwnCursor);  // "9" is no flag: default
  EXPECT_EQ(s.FlySpeed, 4);  // beyond the line: default
  s = ParseSettings(WithLine(d, 2, "12111119"), d);
  EXPECT_TRUE(s.SoundOn);
  EXPECT_FALSE(s.MusicOn);
  EXPECT_EQ(s.FlySpeed, 4);  // "9" is no speed
}

TEST(SettingsFile, BackSetAndBackgroundForms) {
  const Settings d = DefaultSettings("Mr.X");
  Settings s = ParseSettings(WithLine(d, 6, "12"), d);
  EXPECT_EQ(s.BackSet, 0);  // too short: ignored
  s = ParseSettings(WithLine(d, 6, "121"), d);
  EXPECT_EQ(s.BackSet, 12);
  EXPECT_TRUE(s.BackAlwaysOne);
  s = ParseSettings(WithLine(d, 22, "106"), d);
  EXPECT_EQ(s.BgPattern, 10);
  EXPECT_EQ(s.BgColour, 6);
  EXPECT_NE(SettingsText(s).find("\r\n106\r\n"), std::string::npos);
  s = ParseSettings(WithLine(d, 22, "020"), d);
  EXPECT_EQ(s.BgPattern, 2);
  EXPECT_EQ(s.BgColour, 0);
}

TEST(SettingsFile, PassportChecks) {
  const Settings d = DefaultSettings("Mr.X");
  EXPECT_EQ(ParseSettings(WithLine(d, 28, "2-052"), d).PassportCountry, "1-001");
  EXPECT_EQ(ParseSettings(WithLine(d, 28, "2-051"), d).PassportCountry, "2-051");
  EXPECT_EQ(ParseSettings(WithLine(d, 28, "7-001"), d).PassportCountry, "1-001");
  EXPECT_EQ(ParseSettings(WithLine(d, 30, "X"), d).PassportSex, 'M');
  EXPECT_EQ(ParseSettings(WithLine(d, 30, "W"), d).PassportSex, 'W');
  EXPECT_TRUE(ParseSettings(WithLine(d, 33, "\xE8"), d).RecordGames);
  EXPECT_EQ(ParseSettings(WithLine(d, 35, "9"), d).FrameDelay, 1000);
}

TEST(SettingsFile, SpeedAndModeAtPositionsEightAndNine) {
  Settings s = DefaultSettings("Mr.X");
  s.FlySpeed = 6;
  s.WindowMode = 5;
  s.Opponent = OpponentLevel::Strong;
  const std::string text = SettingsText(s);
  const std::string line2 = text.substr(13, 20);
  EXPECT_EQ(line2[7], '6');
  EXPECT_EQ(line2[8], '5');
  EXPECT_NE(text.find("\r\n11S###\r\n"), std::string::npos);
  EXPECT_EQ(ParseSettings(text, DefaultSettings("Mr.X")), s);
}

TEST(SettingsFile, OpponentLevelAtRulesPositionThree) {
  const Settings d = DefaultSettings("Mr.X");
  const std::string text = SettingsText(d);
  const size_t at = text.find("\r\n11####\r\n");
  ASSERT_NE(at, std::string::npos);
  // Older files knew only "#" and "S"; anything unknown reads as standard.
  const struct {
    char stored;
    OpponentLevel level;
  } cases[] = {{'#', OpponentLevel::Standard}, {'S', OpponentLevel::Strong},
               {'E', OpponentLevel::Expert},   {'x', OpponentLevel::Standard},
               {'s', OpponentLevel::Standard}};
  for (const auto& c : cases) {
    std::string edited = text;
    edited[at + 4] = c.stored;
    const Settings read = ParseSettings(edited, d);
    EXPECT_EQ(read.Opponent, c.level) << c.stored;
    EXPECT_TRUE(read.OptBlackHand && read.OptReplaceDeuce) << c.stored;
  }
  Settings expert = d;
  expert.Opponent = OpponentLevel::Expert;
  EXPECT_NE(SettingsText(expert).find("\r\n11E###\r\n"), std::string::npos);
  // A rules line cut short before the level keeps the standard one.
  std::string cut = text;
  cut.replace(at + 2, 6, "11");
  EXPECT_EQ(ParseSettings(cut, d).Opponent, OpponentLevel::Standard);
}

TEST(SettingsFile, SaveThenLoadInAFolder) {
  const fs::path dir = fs::temp_directory_path() / "zarnet-settings-test";
  fs::remove_all(dir);
  fs::create_directories(dir);
  Settings s = DefaultSettings("Mr.X");
  EXPECT_EQ(LoadSettings(dir.string(), "Mr.X"), s);  // no file: defaults
  s.Language = 1;
  s.LastPlayerName = "\xC8\xE2\xE0\xED";
  s.Fonts[2] = {"DejaVu Sans Mono", 120};
  ASSERT_TRUE(SaveSettings(dir.string(), s));
  EXPECT_EQ(LoadSettings(dir.string(), "Mr.X"), s);
  EXPECT_FALSE(fs::exists(dir / "Zarnet.ini.tmp"));
  EXPECT_FALSE(SaveSettings((dir / "missing").string(), s));
  EXPECT_EQ(LoadSettings(dir.string(), "Mr.X"), s);  // the old file is intact
  fs::remove_all(dir);
}

}  // namespace
}  // namespace zarnet
