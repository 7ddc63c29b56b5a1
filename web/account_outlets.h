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

}  // namespace zarnet
