#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>

#include "word_table.h"

namespace zarnet::wordgen {
namespace {

const std::string kHeader = "id\ten\tru\tde\tfr\tes\tzh\tit\tcs\tja\tko\n";

std::string Row(const std::string& id, const std::string& text = "t") {
  std::string r = id;
  for (int i = 0; i < kLanguages; ++i) r += "\t" + text;
  return r + "\n";
}

TEST(WordTable, ReadsRowsSkippingCommentsAndBlankLines) {
  std::istringstream in(kHeader + "# a comment\n\n" + Row("First", "a\\n\\rb\\tc\\\\d ") +
                        "Second\tYes\tДа\tJa\tOui\tSí\t是\tSì\tAno\tはい\t예\r\n");
  ParseError err;
  auto rows = ParseWordTable(in, &err);
  ASSERT_TRUE(rows) << err.line << ": " << err.message;
  ASSERT_EQ(rows->size(), 2u);
  EXPECT_EQ((*rows)[0].id, "First");
  EXPECT_EQ((*rows)[0].line, 4);
  EXPECT_EQ((*rows)[0].texts[9], "a\n\rb\tc\\d ");  // trailing blank kept
  EXPECT_EQ((*rows)[1].texts[0], "Yes");
  EXPECT_EQ((*rows)[1].texts[9], "예");  // CR of a CRLF line dropped
}

TEST(WordTable, RefusesMalformedFilesWithTheLineNumber) {
  struct Case {
    const char* name;
    std::string text;
    int line;
    const char* says;
  };
  const Case cases[] = {
      {"empty file", "", 1, "header"},
      {"wrong header", "id\ten\tde\n" + Row("A"), 1, "header"},
      {"languages swapped", "id\tru\ten\tde\tfr\tes\tzh\tit\tcs\tja\tko\n", 1, "header"},
      {"no entries", kHeader + "# only a comment\n", 2, "no entries"},
      {"too few columns", kHeader + Row("A") + "B\tx\ty\n", 3, "found 3 fields"},
      {"too many columns", kHeader + "\n" + "A" + std::string(11, '\t') + "x\n", 3, "found 12"},
      {"empty text", kHeader + "A\tx\tx\t\tx\tx\tx\tx\tx\tx\tx\n", 2, "de text is empty"},
      {"duplicate id", kHeader + Row("A") + Row("B") + Row("A"), 4, "duplicate id \"A\""},
      {"bad id", kHeader + Row("Exit to menu"), 2, "not a valid identifier"},
      {"id with a digit first", kHeader + Row("2Games"), 2, "not a valid identifier"},
      {"unknown escape", kHeader + Row("A") + Row("B", "x\\q"), 3, "unknown escape \\q"},
      {"backslash at the end", kHeader + Row("A", "x\\"), 2, "backslash at the end"},
      {"broken UTF-8", kHeader + Row("A", "\xD0"), 2, "UTF-8"},
      {"overlong UTF-8", kHeader + Row("A", "\xC0\xAF"), 2, "UTF-8"},
  };
  for (const Case& c : cases) {
    std::istringstream in(c.text);
    ParseError err;
    EXPECT_FALSE(ParseWordTable(in, &err)) << c.name;
    EXPECT_EQ(err.line, c.line) << c.name;
    EXPECT_NE(err.message.find(c.says), std::string::npos) << c.name << ": " << err.message;
  }
}

TEST(WordTable, FoldsAccentedLatinLettersOnly) {
  const std::pair<const char*, const char*> cases[] = {
      {"Schließen", "Schliessen"},
      {"Čeština", "Cestina"},
      {"À propos · Ÿ ſ", "A propos · Y s"},  // first and last of the range; other signs stay
      {"Œuvre Ærø Þór", "OEuvre AEro Thor"},
      {"÷ 2", "÷ 2"},
      {"Выход 退出", "Выход 退出"},
      {"plain", "plain"},
      {"", ""},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(FoldLatinAccents(in), out) << in;
}

// The build step itself: a bad file stops it with "file:line:" and writes nothing.
TEST(WordTable, GeneratorExitsWithFileAndLine) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("wordgen_test_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const fs::path tsv = dir / "words.tsv";
  std::ofstream(tsv) << kHeader << Row("A") << Row("A");
  const fs::path ids = dir / "ids.h", data = dir / "data.cpp", log = dir / "log.txt";
  const std::string cmd = std::string(WORDGEN_PATH) + " " + tsv.string() + " " + ids.string() + " " +
                          data.string() + " 2> " + log.string();
  const int status = std::system(cmd.c_str());
  EXPECT_NE(status, 0);
  std::stringstream msg;
  msg << std::ifstream(log).rdbuf();
  EXPECT_NE(msg.str().find(tsv.string() + ":3:"), std::string::npos) << msg.str();
  EXPECT_FALSE(fs::exists(ids));
  EXPECT_FALSE(fs::exists(data));

  std::ofstream(tsv, std::ios::trunc) << kHeader << Row("A") << Row("B", "Quote \" and ?? and \\\\");
  EXPECT_EQ(std::system(cmd.c_str()), 0);
  std::stringstream header;
  header << std::ifstream(ids).rdbuf();
  EXPECT_NE(header.str().find("kWordCount = 2;"), std::string::npos) << header.str();
  fs::remove_all(dir);
}

}  // namespace
}  // namespace zarnet::wordgen
