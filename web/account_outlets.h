// The web side of a series' close: the account's settlement, the game
// report, the account board's cycle score and its bonus.
#pragma once

#include <functional>

#include "account.h"
#include "series_files.h"

namespace zarnet {

class AccountSeriesOutlets : public FileSeriesOutlets {
 public:
  AccountSeriesOutlets(AccountSession& account, ProgramFiles files)
      : FileSeriesOutlets(std::move(files)), account_(account) {}

  bool ReadAccountRecord(TKuvGame& acc) override { return account_.ReadForSettlement(&acc); }
  bool WriteAccountRecord(const TKuvGame& acc) override;
  void SendGameReport(const std::array<int32_t, 13>& r) override { account_.Web().SendGameReport(r); }
  bool SubmitCycleScore(int32_t score, int& place) override;
  bool AskRepeatSubmission() override { return askRepeatSubmission && askRepeatSubmission(); }
  void CreditBonus(int amount) override { account_.CreditBonus(amount); }

  // "Unable to write the result of the game! Repeat?"
  std::function<bool()> askRepeatSubmission;

 protected:
  AccountSession& account_;
};

// The lists, and the web account for the account's place.
class AccountPlayerRecords : public FilePlayerRecords {
 public:
  AccountPlayerRecords(AccountSession& account, ProgramFiles files)
      : FilePlayerRecords(std::move(files)), account_(account) {}
  TKuvGame AccountGame() override { return account_.Game; }
  std::string AccountNick() override { return account_.User.Nick; }

 private:
  AccountSession& account_;
};

// The menu's account line: the nick in 20, then the cycle's deals and score
// (mode 1) or all deals and the whole rating (mode 2).
std::string AccountMenuLine(const std::string& nick, const TKuvGame& g, int mode);

}  // namespace zarnet
