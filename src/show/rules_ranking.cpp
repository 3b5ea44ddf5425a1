#include "show/rules_ranking.h"

namespace tvz {
namespace {

// Ahead on score, or level on score with the later last right answer.
bool RanksAbove(const ContestantRecord& a, const ContestantRecord& b) {
  return a.Score > b.Score || (a.Score == b.Score && a.LastCorrectTick > b.LastCorrectTick);
}

}  // namespace

// The contestants are placed one after the other in index order, each moving
// the ones it beats down a place. The first contestant always takes first
// place to begin with, so even a show of deeply negative scores (a damaged
// saved game) crowns a champion and ranks all three.
void RankContestants(GameRecord& record) {
  record.FirstPlace = record.SecondPlace = record.ThirdPlace = -1;
  const ContestantRecord* contestants = record.Contestants;
  for (int i = 0; i < kContestantCount; ++i) {
    const ContestantRecord& who = contestants[i];
    if (record.FirstPlace < 0 || RanksAbove(who, contestants[record.FirstPlace])) {
      record.ThirdPlace = record.SecondPlace;
      record.SecondPlace = record.FirstPlace;
      record.FirstPlace = i;
    } else if (record.SecondPlace < 0 || RanksAbove(who, contestants[record.SecondPlace])) {
      record.ThirdPlace = record.SecondPlace;
      record.SecondPlace = i;
    } else {
      record.ThirdPlace = i;
    }
  }
}

}  // namespace tvz
