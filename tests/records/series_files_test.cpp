#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "atomic_file.h"
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

// A folder whose club list holds Anna at ten deals, with no history yet.
struct AnnasFolder {
  TempDir dir;
  ProgramFiles files{dir.path()};
  AnnasFolder() {
    ListLines lines = *ParsePlayerList(InstallationList());
    lines[1] = BuildPlayerLine("Anna", 1.0, 10, 5, EncodePassword("a"));
    WriteText(files.ListPath(false), FormatPlayerList(lines));
    WriteText(files.ListPath(true), InstallationList());
  }
  // Anna's close after her eleventh deal.
  int Close(FileSeriesOutlets& out) {
    return out.FileSeries(false, 1, BuildPlayerLine("Anna", 1.0, 11, 9, EncodePassword("a")), false,
                          HisStr{"Anna", 1, 4, 1.0, kHistoryLocal});
  }
  int Kon() const { return ParsePlayerLine((*ParsePlayerList(ReadText(files.ListPath(false))))[1]).KonNo; }
  int Entries() const { return CheckHistoryFile(files.History(), 1).entries; }
};

TEST(SeriesFiles, ListThatCannotBeWrittenLeavesTheHistoryAlone) {
  AnnasFolder f;
  FileSeriesOutlets out(f.files, {1, 2, "d"}, true);
  out.WriteHistory(HisStr{"Earlier", 1, 1, 1.0, kHistoryLocal});
  const std::string list = ReadText(f.files.ListPath(false));
  const std::string history = ReadText(f.files.History().FilePath(1));
  std::filesystem::create_directory(TemporaryPathFor(f.files.ListPath(false)));
  EXPECT_EQ(f.Close(out), 0);
  EXPECT_EQ(out.lastFiling.status, ListStatus::WriteError);
  EXPECT_EQ(out.lastHistory.status, HistoryWrite::NotWritten);
  EXPECT_EQ(ReadText(f.files.ListPath(false)), list);
  EXPECT_EQ(ReadText(f.files.History().FilePath(1)), history);
  EXPECT_FALSE(std::filesystem::exists(f.files.PendingPath()));
}

// A close killed after each of its steps: at the next start the list and
// the history either both hold the series or neither does.
TEST(SeriesFiles, CloseKilledBetweenAnyTwoWritesLeavesTheFilesAgreeing) {
  for (int stop = 1; stop <= 5; ++stop) {
    SCOPED_TRACE(stop);
    AnnasFolder f;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      FileSeriesOutlets out(f.files, {1, 2, "d"}, true);
      out.afterStep = [stop](int k) {
        if (k == stop) raise(SIGKILL);
      };
      f.Close(out);
      _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);

    const bool noted = stop >= 2 && stop <= 4;
    if (stop == 2) {
      // While the list cannot be written the note waits, and a later close
      // does not write over it.
      const std::string blocker = TemporaryPathFor(f.files.ListPath(false));
      std::filesystem::create_directory(blocker);
      EXPECT_EQ(CompletePendingSeries(f.files), PendingSeries::Kept);
      FileSeriesOutlets later(f.files, {1, 3, "d"}, true);
      f.Close(later);
      EXPECT_EQ(later.lastFiling.status, ListStatus::WriteError);
      EXPECT_TRUE(std::filesystem::exists(f.files.PendingPath()));
      std::filesystem::remove(blocker);
    }
    EXPECT_EQ(CompletePendingSeries(f.files), noted ? PendingSeries::Completed : PendingSeries::None);
    EXPECT_FALSE(std::filesystem::exists(f.files.PendingPath()));
    EXPECT_EQ(f.Kon(), stop == 1 ? 10 : 11);
    EXPECT_EQ(f.Entries(), stop == 1 ? 0 : 1);
    EXPECT_EQ(CheckPlayerList(f.files.ListPath(false)).status, ListStatus::Ok);
  }
}

TEST(SeriesFiles, NoteThatDoesNotReadWholeIsDropped) {
  AnnasFolder f;
  const std::string list = ReadText(f.files.ListPath(false));
  // A garbled note and a cut-off one: neither was ever acted on.
  for (const std::string& note :
       {std::string("ZARNET PENDING SERIES\n../../etc/x\n1\nx"), std::string("ZARNET PENDING")}) {
    WriteText(f.files.PendingPath(), note);
    EXPECT_EQ(CompletePendingSeries(f.files), PendingSeries::None);
    EXPECT_FALSE(std::filesystem::exists(f.files.PendingPath()));
    EXPECT_EQ(ReadText(f.files.ListPath(false)), list);
  }
}

}  // namespace
}  // namespace zarnet
