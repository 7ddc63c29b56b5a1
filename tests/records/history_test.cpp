#include <gtest/gtest.h>

#include <filesystem>

#include "history.h"
#include "temp_dir.h"

namespace zarnet {
namespace {

using testing::ReadText;
using testing::TempDir;
using testing::WriteText;

const HistoryStamp kStamp{9, 5, "24.12.2024"};

HisStr Entry(std::string name, uint8_t kind = kHistoryLocal) {
  return HisStr{std::move(name), 12, -30, 1.0, kind};
}

HistoryWrite Write(const HistoryPlace& place, const HisStr& e, int* file = nullptr) {
  const HistoryWriteResult r = WriteHistory(place, 1, &e, kStamp);
  if (file) *file = r.fileNumber;
  return r.status;
}

TEST(History, EntryLineColumns) {
  const std::string line = HistoryEntryLine(Entry("Anna", kHistoryNet), kStamp);
  ASSERT_EQ(line.size(), kHistoryLineLength);
  EXPECT_EQ(line.substr(0, 5), " 9:05");
  EXPECT_EQ(line.substr(5, 10), "24.12.2024");
  EXPECT_EQ(line.substr(15, 51), "Anna" + std::string(47, ' '));
  EXPECT_EQ(line.substr(66, 3), " 12");
  EXPECT_EQ(line.substr(69, 10), "       -30");
  EXPECT_EQ(line.substr(79, 10), "      1,00");
  EXPECT_EQ(line.substr(89, 10), "N#########");
  EXPECT_EQ(line.substr(99), HistoryLineChecksum(line));

  const std::string sixty(60, 'x');
  const std::string cut = HistoryEntryLine(Entry(sixty), {23, 59, "1/2/24"});
  EXPECT_EQ(cut.size(), kHistoryLineLength);
  EXPECT_EQ(cut.substr(0, 15), "23:59    1/2/24");
  EXPECT_EQ(cut.substr(15, 51), std::string(51, 'x'));
  EXPECT_EQ(cut.substr(89, 10), "L#########");
  // A longer date is cut to its ten columns.
  EXPECT_EQ(HistoryEntryLine(Entry("A"), {1, 0, "Tuesday, 24.12.2024"}).substr(5, 10),
            "Tuesday, 2");
  EXPECT_EQ(HistoryFileName("Zarnet.clb", 1), "Zarnet_I0001.hst");
  EXPECT_EQ(HistoryFileName("Zarnet.clb", 9999), "Zarnet_I9999.hst");
}

TEST(History, ChecksSumsOfLinesAndTotals) {
  const std::string good =
      FormatHistoryFile({HistoryEntryLine(Entry("A"), kStamp), HistoryEntryLine(Entry("B"), kStamp)});
  const HistoryCheck ok = CheckHistoryText(good);
  EXPECT_TRUE(ok.valid);
  EXPECT_EQ(ok.entries, 2);
  EXPECT_TRUE(CheckHistoryText(FormatHistoryFile({})).valid);

  const size_t totals = good.rfind('\n', good.size() - 2) + 1;
  const size_t marker = good.rfind('\n', totals - 2) + 1;
  std::string crlf;
  for (char c : good) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  struct Case {
    const char* what;
    std::string text;
    bool valid;
  } cases[] = {
      {"windows line breaks", crlf, true},
      {"a changed name", std::string(good).replace(16, 1, "x"), false},
      // The totals are summed from the text, so digits alone do not matter.
      {"changed checksum digits", std::string(good).replace(100, 3, "999"), true},
      {"no totals line", good.substr(0, totals), false},
      {"short totals line", good.substr(0, totals + 29), false},
      {"wrong totals", std::string(good).replace(totals + 9, 1, "7"), false},
      {"no marker", good.substr(0, marker), false},
      {"a short line", "short\n" + good, false},
      {"empty", "", false},
  };
  for (const Case& c : cases) EXPECT_EQ(CheckHistoryText(c.text).valid, c.valid) << c.what;
}

TEST(History, FileTakes840EntriesThenTheNextStarts) {
  TempDir dir;
  const HistoryPlace place{dir.path(), "Zarnet.clb"};
  std::filesystem::create_directory(place.Folder());
  std::vector<std::string> lines(839, HistoryEntryLine(Entry("Old"), kStamp));
  WriteText(place.FilePath(1), FormatHistoryFile(lines));

  int file = 0;
  EXPECT_EQ(Write(place, Entry("840th"), &file), HistoryWrite::Ok);
  EXPECT_EQ(file, 1);
  EXPECT_EQ(CheckHistoryFile(place, 1).entries, 840);
  EXPECT_EQ(Write(place, Entry("841st"), &file), HistoryWrite::Ok);
  EXPECT_EQ(file, 2);
  EXPECT_EQ(CheckHistoryFile(place, 1).entries, 840);
  EXPECT_EQ(CheckHistoryFile(place, 2).entries, 1);
  EXPECT_FALSE(CheckHistoryFile(place, 3).valid);

  // Four at once never overfill a file either.
  WriteText(place.FilePath(2), FormatHistoryFile(std::vector<std::string>(838, lines[0])));
  const HisStr four[4] = {Entry("a"), Entry("b"), Entry("c"), Entry("d")};
  const HistoryWriteResult r = WriteHistory(place, 4, four, kStamp);
  EXPECT_EQ(r.status, HistoryWrite::Ok);
  EXPECT_EQ(r.fileNumber, 3);
  EXPECT_EQ(CheckHistoryFile(place, 2).entries, 840);
  EXPECT_EQ(CheckHistoryFile(place, 3).entries, 2);
}

TEST(History, ChangedFileStopsTheListAndIsStartedAnew) {
  TempDir dir;
  const HistoryPlace place{dir.path(), "Zarnet.clb"};
  EXPECT_EQ(Write(place, Entry("Anna")), HistoryWrite::Ok);  // makes the folder
  EXPECT_EQ(Write(place, Entry("Boris", kHistoryNet)), HistoryWrite::Ok);
  const std::vector<HistoryFileItem> items = ListHistoryFiles(place);
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].number, 1);
  EXPECT_EQ(items[0].text, "File I0001 " + CheckHistoryFile(place, 1).date);
  EXPECT_FALSE(CheckHistoryFile(place, 1).date.empty());

  const HistoryLabels labels{"Local", "Net", "Account", "Tourney"};
  const std::vector<HistoryRow> rows = ReadHistoryRows(place, 1, labels);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0][0], " 9:05");
  EXPECT_EQ(rows[0][6], "Local");
  EXPECT_EQ(rows[1][2].substr(0, 6), "Boris ");
  EXPECT_EQ(rows[1][3], " 12");
  EXPECT_EQ(rows[1][6], "Net");

  std::string text = ReadText(place.FilePath(1));
  text[16] = 'o';  // "Anna" -> "Aona"
  WriteText(place.FilePath(1), text);
  EXPECT_FALSE(CheckHistoryFile(place, 1).valid);
  EXPECT_TRUE(ListHistoryFiles(place).empty());
  const HistoryWriteResult r = WriteHistory(place, 1, std::vector{Entry("Vera")}.data(), kStamp);
  EXPECT_EQ(r.status, HistoryWrite::Ok);
  EXPECT_EQ(CheckHistoryFile(place, 1).entries, 1);
  EXPECT_EQ(ReadHistoryRows(place, 1, labels)[0][2].substr(0, 4), "Vera");
  // The damaged file is kept whole under a name that says so.
  ASSERT_EQ(r.setAside.size(), 1u);
  EXPECT_EQ(SetAsideHistoryFiles(place),
            std::vector<std::string>{std::filesystem::path(r.setAside[0]).filename().string()});
  EXPECT_EQ(r.setAside[0].rfind(place.FilePath(1) + ".damaged-", 0), 0u);
  EXPECT_EQ(ReadText(r.setAside[0]), text);
  // A second damaged file the same day takes the next free name.
  WriteText(place.FilePath(1), "damaged again\n");
  EXPECT_EQ(WriteHistory(place, 1, std::vector{Entry("Olga")}.data(), kStamp).setAside[0],
            r.setAside[0] + "-2");
}

TEST(History, ChangedChecksumDigitsAreWrittenAfresh) {
  TempDir dir;
  const HistoryPlace place{dir.path(), "Zarnet.clb"};
  ASSERT_EQ(Write(place, Entry("Anna")), HistoryWrite::Ok);
  std::string text = ReadText(place.FilePath(1));
  text.replace(100, 3, "999");
  WriteText(place.FilePath(1), text);
  ASSERT_TRUE(CheckHistoryFile(place, 1).valid);
  ASSERT_EQ(Write(place, Entry("Boris")), HistoryWrite::Ok);
  const std::string after = ReadText(place.FilePath(1));
  EXPECT_EQ(CheckHistoryText(after).entries, 2);
  EXPECT_TRUE(SetAsideHistoryFiles(place).empty());
  EXPECT_EQ(after.substr(99, 15), HistoryLineChecksum(after));
}

TEST(History, FailedWriteIsReportedAndKeepsTheFile) {
  TempDir dir;
  const HistoryPlace place{dir.path(), "Zarnet.clb"};
  // "History" is a plain file: no folder can be made.
  WriteText(place.Folder(), "x");
  EXPECT_EQ(Write(place, Entry("A")), HistoryWrite::Failed);

  TempDir dir2;
  const HistoryPlace place2{dir2.path(), "Zarnet.clb"};
  ASSERT_EQ(Write(place2, Entry("A")), HistoryWrite::Ok);
  const std::string before = ReadText(place2.FilePath(1));
  std::filesystem::create_directory(place2.FilePath(1) + ".new~");
  EXPECT_EQ(Write(place2, Entry("B")), HistoryWrite::Failed);
  EXPECT_EQ(ReadText(place2.FilePath(1)), before);
  EXPECT_EQ(WriteHistory(place2, 0, nullptr, kStamp).status, HistoryWrite::Failed);

  // Something other than a file in a history file's place is never moved
  // aside or written over.
  std::filesystem::remove(place2.FilePath(1) + ".new~");
  std::filesystem::remove(place2.FilePath(1));
  std::filesystem::create_directory(place2.FilePath(1));
  EXPECT_EQ(Write(place2, Entry("C")), HistoryWrite::Failed);
  EXPECT_TRUE(std::filesystem::is_directory(place2.FilePath(1)));
  EXPECT_TRUE(SetAsideHistoryFiles(place2).empty());
}

}  // namespace
}  // namespace zarnet
