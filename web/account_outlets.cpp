#include "account_outlets.h"

#include <cmath>

#include "number_text.h"

namespace zarnet {

bool AccountSeriesOutlets::WriteAccountRecord(const TKuvGame& acc) {
  if (!account_.WriteSettlement(acc)) return false;
  account_.Game = acc;
  return true;
}

bool AccountSeriesOutlets::SubmitCycleScore(int32_t score, int& place) {
  const TKuvUser& u = account_.User;
  const long long p = account_.Web().SubmitRecord(1108, ScoreRecord(u.Nick, u.City, u.Country1, score, u.Sex));
  if (p <= 0) return false;
  place = static_cast<int>(p);
  return true;
}

std::string AccountMenuLine(const std::string& nick, const TKuvGame& g, int mode) {
  std::string line = nick.substr(0, 20);
  line.resize(20, ' ');
  if (mode == 1) return line + "    " + RightAligned(g.KonL, 3) + "    " + RightAligned(g.Score, 6);
  return line + "  " + RightAligned(g.Kon, 7) + "  " + RightAligned(std::llround(g.Rating), 6);
}

}  // namespace zarnet
