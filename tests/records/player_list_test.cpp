#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "player_list.h"
#include "temp_dir.h"

namespace zarnet {
namespace {

using testing::ReadText;
using testing::TempDir;
using testing::WriteText;

ListLines Installation() { return *ParsePlayerList(InstallationList()); }

std::string Player(const char* name, double rating, int kon = 10, int score = 5,
                   const char* password = "abc") {
  return BuildPlayerLine(name, rating, kon, score, EncodePassword(password));
}

// A list with the given player lines (nullptr for a free line).
ListLines WithPlayers(std::vector<std::string> players) {
  ListLines lines = Installation();
  for (int i = 1; i <= 5; ++i) {
    lines[i] = i <= static_cast<int>(players.size()) && !players[i - 1].empty()
                   ? players[i - 1]
                   : std::string(kEmptyPlayerLine);
  }
  return lines;
}

std::string NameAt(const ListLines& lines, int i) {
  std::string n = lines[i].substr(0, 20);
  while (!n.empty() && n.back() == ' ') n.pop_back();
  return lines[i][36] == '#' ? "-" : n;
}

TEST(PlayerList, WrittenListPassesAndOneChangedByteFails) {
  TempDir dir;
  const std::string path = dir.File(kClubListName);
  ListLines lines = WithPlayers({Player("Anna", 2.5), Player("Boris", 1.25)});
  const std::string text = FormatPlayerList(lines);
  WriteText(path, text);
  const ListCheck ok = CheckPlayerList(path);
  EXPECT_EQ(ok.status, ListStatus::Ok);
  EXPECT_FALSE(ok.russian);

  std::string changed = text;
  changed[kPlayerLineLength + 1 + 2] = 'x';  // "Boris" -> "Boxis" on line 2
  WriteText(path, changed);
  EXPECT_EQ(CheckPlayerList(path).status, ListStatus::Incorrect);
  EXPECT_EQ(FileMessage("The incorrect file", path), "The incorrect file \"" + path + "\"!");
}

TEST(PlayerList, MissingFileGivesItsPath) {
  TempDir dir;
  const std::string path = dir.File("Zarnet.net");
  EXPECT_EQ(CheckPlayerList(path).status, ListStatus::Missing);
  EXPECT_EQ(FileMessage("Can`t find the file", path), "Can`t find the file \"" + path + "\"!");
  EXPECT_EQ(AttributesMessage("The file", path, " has incorrect attributes!",
                              "The work of the program will be incorrect!"),
            "The file \"" + path + "\" has incorrect attributes!\nThe work of the program will "
            "be incorrect!");
}

TEST(PlayerList, MalformedListsAreRefused) {
  const std::string good = InstallationList();
  const size_t line16 = good.find(kListMarker);
  struct Case {
    const char* what;
    std::string text;
  } cases[] = {
      {"one line less", good.substr(0, good.rfind('\n', good.size() - 2) + 1)},
      {"a line more", good + "extra\n"},
      {"a player line one longer", std::string(good).insert(3, "#")},
      {"marker byte", std::string(good).replace(line16, 1, "x")},
      {"marker brace", std::string(good).replace(line16 + 1, 1, "{")},
      {"checksum digit", std::string(good).replace(good.size() - 2, 1, "9")},
      {"empty", ""},
  };
  ASSERT_TRUE(ParsePlayerList(good));
  for (const Case& c : cases) EXPECT_FALSE(ParsePlayerList(c.text)) << c.what;
}

TEST(PlayerList, LanguageMarkAndWindowsLineBreaks) {
  ListLines lines = Installation();
  lines[17][0] = '1';
  std::string text = FormatPlayerList(lines);
  TempDir dir;
  WriteText(dir.File("l"), text);
  EXPECT_TRUE(CheckPlayerList(dir.File("l")).russian);
  std::string crlf;
  for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_TRUE(ParsePlayerList(crlf));
}

TEST(PlayerList, PasswordsArePaddedEncodedAndCompared) {
  // 'a' = 97, +234 = 331; a blank pads to five characters: 32 + 234 = 266.
  EXPECT_EQ(EncodePassword("abc"), "331332333266266");
  EXPECT_EQ(EncodePassword("abcdefg"), EncodePassword("abcde"));
  EXPECT_EQ(EncodePassword("\xFF"), "489266266266266");
  EXPECT_EQ(DecodePassword("331332333266266"), "abc  ");
  EXPECT_FALSE(DecodePassword("33133233326626"));
  EXPECT_FALSE(DecodePassword("###############"));

  const std::string stored = EncodePassword("abc");
  EXPECT_EQ(AdmitPlayer(1, "Anna", "abc", "", stored).result, Admission::Ok);
  EXPECT_EQ(AdmitPlayer(1, "Anna", "abc  ", "", stored).result, Admission::Ok);
  EXPECT_EQ(AdmitPlayer(1, "Anna", "abd", "", stored).result, Admission::IncorrectPassword);
  EXPECT_EQ(AdmitPlayer(1, "   ", "abc", "", stored).result, Admission::IncorrectName);
  EXPECT_EQ(AdmitPlayer(6, "Nick", "xy", "xz", "").result, Admission::PasswordsDiffer);
  const AdmittedPlayer fresh = AdmitPlayer(6, "Nick", "xy", "xy", "");
  EXPECT_EQ(fresh.result, Admission::Ok);
  EXPECT_EQ(fresh.Name, "Nick                ");
  EXPECT_EQ(fresh.PasswordField, EncodePassword("xy   "));
  EXPECT_EQ(fresh.ScoreText, "     0");
}

TEST(PlayerList, LinesAreBuiltAndReadInTheirColumns) {
  const std::string line = BuildPlayerLine("Anna", 3.2, 71, -45, EncodePassword("abc"));
  EXPECT_EQ(line, "Anna                  3,200000     71    -45331332333266266");
  const ListPlayer p = ParsePlayerLine(line);
  EXPECT_EQ(p.Name, "Anna                ");
  EXPECT_DOUBLE_EQ(p.Rating, 3.2);
  EXPECT_EQ(p.KonNo, 71);
  EXPECT_EQ(p.Score, -45);
  EXPECT_FALSE(p.Free);
  EXPECT_TRUE(ParsePlayerLine(kEmptyPlayerLine).Free);
  // Too wide values stay inside their columns; a line break in a name
  // would split the file.
  const std::string wide = BuildPlayerLine("A\nB", 1e9, 123456789, -1234567, "");
  EXPECT_EQ(wide.size(), kPlayerLineLength);
  EXPECT_EQ(wide.substr(0, 3), "A B");
  EXPECT_EQ(wide.substr(20, 10), " 99,990000");
  EXPECT_EQ(wide.substr(30, 7), "9999999");
  EXPECT_EQ(wide.substr(38, 6), "-99999");

  TempDir dir;
  WriteText(dir.File("l"), FormatPlayerList(WithPlayers({Player("A", 1), line})));
  const std::optional<ListPlayer> loaded = LoadPlayer(dir.File("l"), 2);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->KonText, "     71");
  EXPECT_EQ(loaded->PasswordField, EncodePassword("abc"));
  EXPECT_FALSE(LoadPlayer(dir.File("l"), 6));
  EXPECT_FALSE(LoadPlayer(dir.File("none"), 1));
}

TEST(PlayerList, FilingByRating) {
  const std::vector<std::string> full = {Player("A", 5), Player("B", 4), Player("C", 3),
                                         Player("D", 2), Player("E", 1)};
  struct Case {
    const char* what;
    std::vector<std::string> before;
    double rating;
    int filed;
    std::vector<std::string> after;  // names of lines 1..5, "-" for free
  } cases[] = {
      {"equal to line 3", full, 3.0, 3, {"A", "B", "N", "C", "D"}},
      {"best of all", full, 7.5, 1, {"N", "A", "B", "C", "D"}},
      {"below all five", full, 0.5, 0, {"A", "B", "C", "D", "E"}},
      {"equal to the last", full, 1.0, 5, {"A", "B", "C", "D", "N"}},
      {"first free line", {Player("A", 5), Player("B", 4), Player("C", 3)}, 1.0, 4,
       {"A", "B", "C", "N", "-"}},
      {"negative into a free line", {Player("A", -1)}, -2.0, 2, {"A", "N", "-", "-", "-"}},
      {"empty list", {}, 0.0, 1, {"N", "-", "-", "-", "-"}},
  };
  for (const Case& c : cases) {
    ListLines lines = WithPlayers(c.before);
    const FilingResult r = InsertLine(lines, Player("N", c.rating), false);
    EXPECT_EQ(r.filedLine, c.filed) << c.what;
    EXPECT_EQ(r.topTenPlace, 0) << c.what;
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(NameAt(lines, i), c.after[i - 1]) << c.what << i;
  }
}

TEST(PlayerList, CycleScoreEntersTheTopTen) {
  // The installation's top ten runs from 480 down to 50.
  struct Case {
    int score;
    int place;
  } cases[] = {{50, 10}, {49, 0}, {480, 1}, {1000, 1}, {301, 4}, {-5, 0}};
  for (const Case& c : cases) {
    ListLines lines = Installation();
    const ListLines before = lines;
    const FilingResult r = InsertLine(lines, Player("N", 1, 100, c.score), true);
    EXPECT_EQ(r.topTenPlace, c.place) << c.score;
    EXPECT_EQ(r.topTenScore, c.score);
    if (c.place > 0) {
      EXPECT_EQ(lines[5 + c.place], BuildPlayerLine("N", 0, 0, c.score, "").substr(0, 20) +
                                        BuildPlayerLine("", 0, 0, c.score, "").substr(38, 6));
      for (int i = 6 + c.place; i <= 15; ++i) EXPECT_EQ(lines[i], before[i - 1]) << c.score;
      for (int i = 6; i < 5 + c.place; ++i) EXPECT_EQ(lines[i], before[i]);
    } else {
      for (int i = 6; i <= 15; ++i) EXPECT_EQ(lines[i], before[i]);
    }
    // Deal 100 completes a cycle: the stored score starts again from zero.
    EXPECT_EQ(lines[1].substr(38, 6), "     0") << c.score;
    EXPECT_EQ(lines[1].substr(30, 7), "    100");
  }
  ListLines lines = Installation();
  InsertLine(lines, Player("N", 1, 99, 300), false);
  EXPECT_EQ(lines[1].substr(38, 6), "   300");
  EXPECT_EQ(lines[9], Installation()[9]);
}

TEST(PlayerList, RefilingRewritesTheFileInOnePiece) {
  TempDir dir;
  const std::string path = dir.File(kClubListName);
  WriteText(path, FormatPlayerList(WithPlayers({Player("A", 5), Player("B", 4), Player("C", 3)})));

  // B plays on and climbs above A.
  FilingResult r = RefilePlayerLine(path, 2, Player("B", 6), false);
  EXPECT_EQ(r.status, ListStatus::Ok);
  EXPECT_EQ(r.filedLine, 1);
  ASSERT_EQ(CheckPlayerList(path).status, ListStatus::Ok);
  ListLines lines = *ParsePlayerList(ReadText(path));
  EXPECT_EQ(NameAt(lines, 1), "B");
  EXPECT_EQ(NameAt(lines, 2), "A");
  EXPECT_EQ(NameAt(lines, 3), "C");
  EXPECT_EQ(NameAt(lines, 4), "-");

  EXPECT_EQ(RemovePlayerLine(path, 1), ListStatus::Ok);
  lines = *ParsePlayerList(ReadText(path));
  EXPECT_EQ(NameAt(lines, 1), "A");
  EXPECT_EQ(lines[5], kEmptyPlayerLine);
  const std::string before = ReadText(path);
  EXPECT_EQ(RemovePlayerLine(path, 6), ListStatus::Ok);
  EXPECT_EQ(ReadText(path), before);

  r = InsertPlayerLine(path, Player("New", 0.1), false);
  EXPECT_EQ(r.filedLine, 3);
  EXPECT_EQ(CheckPlayerList(path).status, ListStatus::Ok);
}

TEST(PlayerList, FailedRewriteKeepsTheOldFile) {
  TempDir dir;
  const std::string path = dir.File(kClubListName);
  const std::string old = FormatPlayerList(WithPlayers({Player("A", 5)}));
  WriteText(path, old);
  // The temporary file cannot be made: a folder stands in its place.
  std::filesystem::create_directory(path + ".new~");
  EXPECT_EQ(RefilePlayerLine(path, 1, Player("A", 6), false).status, ListStatus::WriteError);
  EXPECT_EQ(RemovePlayerLine(path, 1), ListStatus::WriteError);
  EXPECT_EQ(ReadText(path), old);
  std::filesystem::remove(path + ".new~");

  // A damaged list is refused rather than written over with a new checksum.
  std::string damaged = old;
  damaged[1] = 'Z';
  WriteText(path, damaged);
  EXPECT_EQ(RefilePlayerLine(path, 1, Player("A", 6), false).status, ListStatus::Incorrect);
  EXPECT_EQ(ReadText(path), damaged);
  EXPECT_EQ(InsertPlayerLine(dir.File("none"), Player("A", 1), false).status,
            ListStatus::Missing);
  EXPECT_FALSE(std::filesystem::exists(dir.File("none")));
}

// `s` padded with blanks to `width`.
std::string Blanks(std::string s, size_t width) { return s + std::string(width - s.size(), ' '); }

// Ten pixels for each character.
int Measure(std::string_view s) { return static_cast<int>(s.size()) * 10; }

TEST(PlayerList, MenuTextsInBothModes) {
  const MenuListLabels labels{"score heading", "rating heading"};
  ListLines lines = WithPlayers({BuildPlayerLine("Anna", 3.456, 173, -45, ""),
                                 BuildPlayerLine("ABCDEFGHIJKLMNOPQRST", 0.05, 50, 12, "")});
  const MenuListTexts m1 = ShowPlayerList(lines, 1, labels, Measure);
  const std::string name2 = "ABCDEFGHIJKLMNOPQRST";
  EXPECT_EQ(m1.heading, "score heading");
  // 37 characters measure 370 pixels: one goes, a blank of the name.
  EXPECT_EQ(m1.players[1], Blanks("Anna", 19) + "    " + " 23" + "    " + "   -45");
  // The name's own last letter goes: the cut is marked.
  EXPECT_EQ(m1.players[2], name2.substr(0, 16) + "..." + "    " + "  0" + "    " + "    12");
  EXPECT_EQ(m1.players[3], std::string(19, '#') + "    ###    ######");
  // 28 characters against 251 pixels: three blanks go.
  EXPECT_EQ(m1.topThree[1], Blanks("Ivo", 17) + "  " + "   480");

  const MenuListTexts m2 = ShowPlayerList(lines, 2, labels, Measure);
  EXPECT_EQ(m2.heading, "rating heading");
  EXPECT_EQ(m2.players[1], Blanks("Anna", 19) + "  " + "    173" + "  " + "  3,46");
  EXPECT_EQ(m2.players[2], name2.substr(0, 16) + "..." + "  " + "     50" + "  " + "  0,05");
  EXPECT_EQ(m2.players[4], std::string(19, '#') + "  #######  ######");

  // A wide font cuts at most down to position 4.
  const MenuListTexts wide = ShowPlayerList(lines, 1, labels, [](std::string_view s) {
    return static_cast<int>(s.size()) * 100;
  });
  EXPECT_EQ(wide.players[2], "A..." + std::string("    ") + "  0" + "    " + "    12");

  EXPECT_EQ(AccountButtonText("Nick", 1, 230, 30, 77, 4.6),
            Blanks("Nick", 20) + "    " + " 30" + "    " + "    77");
  EXPECT_EQ(AccountButtonText("Nick", 2, 230, 30, 77, 4.6),
            Blanks("Nick", 20) + "  " + "    230" + "  " + "     5");
}

}  // namespace
}  // namespace zarnet
