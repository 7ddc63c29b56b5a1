// The file side of a series: the lists a series starts from and the
// outlets that file its end into the lists and the history.
#pragma once

#include <functional>
#include <string>

#include "history.h"
#include "player_list.h"
#include "series.h"

namespace zarnet {

// The list line and history entry of a series' close, kept beside the
// lists until both files hold them.
inline constexpr const char* kPendingSeriesName = "Zarnet.pending";

// The lists and the history of one program folder.
struct ProgramFiles {
  std::string programDir;
  std::string ListPath(bool netList) const {
    return programDir + "/" + (netList ? kNetListName : kClubListName);
  }
  HistoryPlace History() const { return {programDir, kClubListName}; }
  std::string PendingPath() const { return programDir + "/" + kPendingSeriesName; }
};

enum class PendingSeries {
  None,       // nothing was cut off
  Completed,  // a close cut off between its writes is now in both files
  Kept,       // it could not be completed yet and waits for the next try
};

// Finishes a series' close that was cut off between its list and history
// writes, so the two agree again. Run before the lists are read.
PendingSeries CompletePendingSeries(const ProgramFiles& files);

// Player lines for StartDeal, read from the lists. The account and online
// records come from the services and are left to those layers.
class FilePlayerRecords : public PlayerRecords {
 public:
  explicit FilePlayerRecords(ProgramFiles files) : files_(std::move(files)) {}
  std::string PlayerLine(bool netList, int line) override;
  TKuvGame AccountGame() override { return {}; }
  std::string AccountNick() override { return {}; }
  TKuvClient OnlineClient() override { return {}; }

 private:
  ProgramFiles files_;
};

// The list and history steps of a series' close. The window layer derives
// from it for the rest and shows the messages of the results kept here.
class FileSeriesOutlets : public SeriesOutlets {
 public:
  explicit FileSeriesOutlets(ProgramFiles files, HistoryStamp stamp = {}, bool fixedStamp = false)
      : files_(std::move(files)), stamp_(std::move(stamp)), fixedStamp_(fixedStamp) {}

  void WriteHistory(const HisStr& entry) override;
  int RefilePlayer(bool netList, int slot, const std::string& line, bool cycleEnded) override;
  // The list first, then the history, with the pair noted beforehand so
  // that a close cut off in between is completed at the next start.
  int FileSeries(bool netList, int slot, const std::string& line, bool cycleEnded,
                 const HisStr& entry) override;

  // "Cann`t save history!" when Failed; NotWritten when the list failed.
  HistoryWriteResult lastHistory;
  // "Error of disk writing!" when WriteError.
  FilingResult lastFiling;
  std::string lastListPath;

  // Called after each step of FileSeries: 1 prepared, 2 pair noted, 3 list
  // written, 4 history written, 5 note removed. Lets a test stop there.
  std::function<void(int step)> afterStep;

 private:
  void Step(int k) {
    if (afterStep) afterStep(k);
  }
  HistoryStamp Stamp() const { return fixedStamp_ ? stamp_ : HistoryStamp::Now(); }

  ProgramFiles files_;
  HistoryStamp stamp_;
  bool fixedStamp_;
};

}  // namespace zarnet
