// The file side of a series: the lists a series starts from and the
// outlets that file its end into the lists and the history.
#pragma once

#include <string>

#include "history.h"
#include "player_list.h"
#include "series.h"

namespace zarnet {

// The lists and the history of one program folder.
struct ProgramFiles {
  std::string programDir;
  std::string ListPath(bool netList) const {
    return programDir + "/" + (netList ? kNetListName : kClubListName);
  }
  HistoryPlace History() const { return {programDir, kClubListName}; }
};

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

  // "Cann`t save history!" when Failed.
  HistoryWriteResult lastHistory;
  // "Error of disk writing!" when WriteError.
  FilingResult lastFiling;
  std::string lastListPath;

 private:
  ProgramFiles files_;
  HistoryStamp stamp_;
  bool fixedStamp_;
};

}  // namespace zarnet
