#include "series.h"

#include <algorithm>
#include <cmath>

#include "engine.h"
#include "number_text.h"
#include "text_fields.h"

namespace zarnet {
namespace {

constexpr double kCycleDivisor = 50.0;  // d
constexpr double kCharge = 150.0;       // c, the provisional charge
constexpr int kCycle = 50;

std::string TrimRight(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

bool CycleEnded(int32_t konNo) { return konNo > 0 && konNo % kCycle == 0; }

// 1..50: the place within the 50-deal cycle.
int CyclePlace(long long n) {
  const int r = static_cast<int>(((n % kCycle) + kCycle) % kCycle);
  return r == 0 ? kCycle : r;
}

}  // namespace

double AccountRatingStart(int kon, double r) {
  if (kon <= 0) return r;
  const double before = kon - 2;
  return (before * (r - before / kCycleDivisor) - kCharge) / kon + kon / kCycleDivisor;
}

double AccountRatingSettle(int kon, int diff, double r) {
  if (kon <= 0) return r;
  return (kCharge + kon * (r - kon / kCycleDivisor) + diff) / kon + kon / kCycleDivisor;
}

void BookAccountStart(TKuvGame& acc) {
  acc.Kon += 2;
  acc.Rating = AccountRatingStart(acc.Kon, acc.Rating);
  acc.KonL = 0;
  acc.Score = 0;
}

bool BookAccountSettle(TKuvGame& acc, int keptKonL, int diff, int finalScore) {
  acc.Rating = AccountRatingSettle(acc.Kon, diff, acc.Rating);
  if (keptKonL + 2 >= kCycle) {
    if (acc.Best < finalScore) acc.Best = finalScore;
    ++acc.Sessions;
    acc.KonL = 0;
    acc.Score = 0;
    return true;
  }
  acc.KonL = keptKonL + 2;
  acc.Score = finalScore;
  return false;
}

std::string BuildPlayerLine(std::string_view name, double rating, int64_t konNo, int64_t score,
                            std::string_view passwordField) {
  return FieldText(name, 20) + RatingText10(std::clamp(rating, -99.99, 99.99)) +
         RightAligned(ClampToWidth(konNo, 7), 7) + " " + RightAligned(ClampToWidth(score, 6), 6) +
         FieldText(passwordField, 15);
}

SeriesCloseResult CloseSeries(Game& g, SeriesBooks& books, SeriesOutlets& out, int32_t diff,
                              int32_t deals) {
  GameState& gs = g.gs;
  const EngineOptions& o = g.opt;
  const bool online = o.OnlineGame;
  const bool account = !online && o.PlayerSlot == kSlotAccount;
  const bool net = o.NetGame;
  SeriesCloseResult r;
  r.cycleEnded = CycleEnded(gs.KonNo);
  gs.FinalScore = gs.ScoreBase + diff;

  if (o.Recording) out.RestoreRecorderScreen();
  out.ShowWaitNotice(true);

  if (account) {
    TKuvGame acc = books.Account;
    if (out.ReadAccountRecord(acc)) {
      BookAccountSettle(acc, books.Account.KonL, diff, gs.FinalScore);
      if (out.WriteAccountRecord(acc)) {
        books.Account = acc;
        r.accountSettled = true;
      }
    }
  }

  double rating = gs.SeriesRating;
  if (!online) {
    rating = account ? books.Account.Rating
                     : LocalRating(gs.KonNo, diff, g.player.StoredRating, g.player.StoredKon);
  }
  out.ShowWaitNotice(false);

  r.playerLine =
      BuildPlayerLine(g.player.Name, rating, gs.KonNo, gs.FinalScore, g.player.PasswordField);

  HisStr& h = r.history;
  if (net) {
    h.HName = TrimRight(g.SeatName[2]) + "/" + TrimRight(g.SeatName[1]);
  } else if (online) {
    h.HName = books.MyClient.Nick;
  } else {
    h.HName = g.player.Name;
  }
  h.HKon = deals;
  h.HRes = diff;
  if (online) {
    int32_t tourScore = 0;
    if (out.ReadTourRating(tourScore)) h.HRes = tourScore - books.MyClient.Score;
  }
  h.HRei = rating;
  h.Ac = online ? kHistoryOnline : account ? kHistoryAccount : net ? kHistoryNet : kHistoryLocal;
  // A series kept in a list has its entry written with the list line below.
  const bool listed = !account && !online;
  if (!listed) out.WriteHistory(h);

  gs.FinalDiff = diff;

  std::array<int32_t, 13> report{};
  if (!net && !online) {
    report[1] = deals;
    report[2] = r.cycleEnded ? 1 : 0;
    if (gs.FinalDiff > 0) report[3] = gs.FinalDiff;
    if (gs.FinalDiff < 0) report[4] = -gs.FinalDiff;
  }
  if (net && o.NetRole == 1) report[5] = 2;
  if (online && g.TablePlace == 1) report[6] = 1;
  out.SendGameReport(report);

  // At a cycle's end the end-of-game window plays its own sound.
  if (!r.cycleEnded) {
    if (gs.FinalDiff > 0) g.Play("WKoGood", false);
    if (gs.FinalDiff < 0) g.Play("WKoBads", false);
  }

  if (listed) r.place = out.FileSeries(net, o.PlayerSlot, r.playerLine, r.cycleEnded, h);
  if (net) out.ClosePeerSocket(o.NetRole);

  if (r.cycleEnded && !account && !online) {
    out.ShowEndOfGame(r.place, gs.FinalScore, 0);
    if (!net) out.OpenWorldTopTenEntry(gs.FinalScore);
  }

  if (account && !net && r.accountSettled && books.Account.KonL == 0) {
    int place = 0;
    bool submitted = out.SubmitCycleScore(gs.FinalScore, place);
    while (!submitted && out.AskRepeatSubmission()) submitted = out.SubmitCycleScore(gs.FinalScore, place);
    if (submitted) {
      r.place = place;
      r.bonus = place == 1 ? 25 : (place >= 2 && place <= 10 ? 10 : 0);
      if (r.bonus > 0) out.CreditBonus(r.bonus);
      out.ShowEndOfGame(place, gs.FinalScore, r.bonus);
    }
  }

  out.ReturnToMenu();
  g.View().EnableSeriesMenu(false);
  gs.DealActive = false;
  g.TimerIntervalMs = 20;
  g.TimerEnabled = true;
  return r;
}

TCount GeneralCount(const Game& g, const SeriesBooks& books) {
  const GameState& gs = g.gs;
  TCount t;
  t.Count_KonAll = std::to_string(gs.KonNo);
  t.Count_ScoBeg = std::to_string(gs.ScoreBase);
  t.Count_ScoCur = std::to_string(gs.ScoreDiff);
  t.Count_ScoAll = std::to_string(gs.SeriesScore);
  if (g.opt.OnlineGame) {
    t.Count_KonCur = "-";
    t.Count_ReiBeg = std::to_string(books.MyClient.Rating);
    t.Count_ReiCur = "?";
  } else if (g.opt.PlayerSlot == kSlotAccount) {
    t.Count_KonCur = std::to_string(books.Account.KonL + gs.KonNo - gs.KonAtStart);
    t.Count_ReiBeg = std::to_string(std::llround(books.Account.Rating));
    t.Count_ReiCur = "?";
  } else {
    t.Count_KonCur = std::to_string(CyclePlace(gs.KonNo));
    t.Count_ReiBeg = TwoDecimalText(g.player.StoredRating, 6);
    t.Count_ReiCur = TwoDecimalText(
        LocalRating(gs.KonNo, gs.ScoreDiff, g.player.StoredRating, g.player.StoredKon), 6);
  }
  return t;
}

TCount ShowGeneralCount(Game& g, const SeriesBooks& books) {
  g.Play("WOpenFo", false);
  return GeneralCount(g, books);
}

DealHint DealCounterHint(const Game& g, const SeriesBooks& books, const DealHintLabels& labels) {
  const GameState& gs = g.gs;
  const bool online = g.opt.OnlineGame;
  const bool account = !online && g.opt.PlayerSlot == kSlotAccount;
  // In an account series the cycle runs on the account's own count.
  const long long cycle =
      account ? CyclePlace(books.Account.KonL + gs.KonNo - gs.KonAtStart) : CyclePlace(gs.KonNo);
  const int session = gs.KonNo % 2 == 0 ? 2 : 1;
  const std::string l1 = labels.generalGames + " " + std::to_string(gs.KonNo);
  const std::string l2 = labels.cycleRound + " " + std::to_string(cycle) + " / 50";
  const std::string l3 = labels.sessionRound + " " + std::to_string(session) + " / 2";
  DealHint h;
  h.title = labels.title;
  if (online) {
    h.text = l1 + "\n\r" + l3;
  } else if (account || g.opt.NetGame) {
    h.text = l1 + "\n\r" + l2 + "\n\r" + l3;
  } else {
    h.text = l1 + "\n\r" + l2;
  }
  return h;
}

std::string DealCounterText(const Game& g, std::string_view gameLabel) {
  return std::string(gameLabel) + ": " + std::to_string(g.gs.KonNo - g.gs.KonAtStart);
}

}  // namespace zarnet
