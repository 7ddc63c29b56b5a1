#include <cmath>

#include "engine.h"

namespace zarnet {

double LocalRating(int k, int diff, double r0, int k0) {
  if (k <= 0) return r0;  // no deal played yet: nothing to average
  const double n = std::nearbyint((k0 * r0 + diff / 10.0) * 1000000.0 / k);
  const double rating = n / 1000000.0;
  if (rating > 99.99) return 99.99;
  if (rating < -99.99) return -99.99;
  return rating;
}

void BookDealResult(Game& g) {
  GameState& gs = g.gs;
  gs.ScoreDiff = gs.GameScore[2] - gs.GameScore[1];
  gs.SeriesScore = gs.ScoreBase + gs.ScoreDiff;
  if (!g.opt.OnlineGame) {
    gs.SeriesRating = LocalRating(gs.KonNo, gs.ScoreDiff, g.player.StoredRating,
                                  g.player.StoredKon);
  }
  if (g.opt.Recording && g.hooks) g.hooks->RecordFinalFrame();
}

}  // namespace zarnet
