#include <gtest/gtest.h>

#include "engine.h"
#include "recording_view.h"
#include "series_files.h"
#include "temp_dir.h"

namespace zarnet {
namespace {

using testing::ReadText;
using testing::TempDir;
using testing::WriteText;

// A series that starts from the list on disk and closes into it.
TEST(SeriesFiles, ClosingASeriesFilesTheListAndTheHistory) {
  TempDir dir;
  const ProgramFiles files{dir.path()};
  ListLines lines = *ParsePlayerList(InstallationList());
  lines[1] = BuildPlayerLine("Anna", 2.0, 49, 300, EncodePassword("abc"));
  lines[2] = BuildPlayerLine("Boris", 1.0, 10, 20, EncodePassword("b"));
  WriteText(files.ListPath(false), FormatPlayerList(lines));
  WriteText(files.ListPath(true), InstallationList());

  RecordingView view;
  FilePlayerRecords records(files);
  Game g(&view);
  g.records = &records;
  g.opt.PlayerSlot = 1;
  StartDeal(g, false);
  EXPECT_EQ(g.gs.KonNo, 50);
  EXPECT_EQ(g.gs.ScoreBase, 300);
  EXPECT_EQ(g.player.PasswordField, EncodePassword("abc"));
  g.gs.GameScore[2] = 80;
  g.gs.GameScore[1] = 50;
  BookDealResult(g);

  FileSeriesOutlets out(files, {21, 30, "01.02.2025"}, true);
  SeriesBooks books;
  const SeriesCloseResult r = CloseSeries(g, books, out, g.gs.ScoreDiff, 1);
  EXPECT_EQ(out.lastFiling.status, ListStatus::Ok);
  EXPECT_EQ(out.lastHistory.status, HistoryWrite::Ok);
  // 330 after the 50th deal: fourth place of the installation's top ten.
  EXPECT_EQ(r.place, 4);

  ASSERT_EQ(CheckPlayerList(files.ListPath(false)).status, ListStatus::Ok);
  const ListLines after = *ParsePlayerList(ReadText(files.ListPath(false)));
  // (49 * 2.0 + 3.0) / 50 = 2.02
  EXPECT_EQ(after[1], BuildPlayerLine("Anna", 2.02, 50, 0, EncodePassword("abc")));
  EXPECT_EQ(after[2].substr(0, 5), "Boris");
  EXPECT_EQ(after[9], "Anna" + std::string(16, ' ') + "   330");
  EXPECT_EQ(ReadText(files.ListPath(true)), InstallationList());

  const HistoryCheck h = CheckHistoryFile(files.History(), 1);
  EXPECT_TRUE(h.valid);
  EXPECT_EQ(h.entries, 1);
  const std::string entry = ReadText(files.History().FilePath(1)).substr(0, 99);
  EXPECT_EQ(entry, "21:30" + std::string("01.02.2025") + "Anna" + std::string(47, ' ') + "  1" +
                       "        30" + "      2,02" + "L#########");
}

TEST(SeriesFiles, WriteErrorsAreKeptForTheMessages) {
  TempDir dir;
  const ProgramFiles files{dir.path()};
  FileSeriesOutlets out(files, {1, 2, "d"}, true);
  // No list at all, and "History" a plain file.
  WriteText(files.History().Folder(), "");
  EXPECT_EQ(out.RefilePlayer(false, 6, BuildPlayerLine("N", 1, 1, 1, ""), false), 0);
  EXPECT_EQ(out.lastFiling.status, ListStatus::Missing);
  EXPECT_EQ(out.lastListPath, files.ListPath(false));
  out.WriteHistory(HisStr{"N", 1, 1, 1.0, 0});
  EXPECT_EQ(out.lastHistory.status, HistoryWrite::Failed);
}

}  // namespace
}  // namespace zarnet
