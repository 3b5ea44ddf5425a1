#pragma once
// The final ranking of a show: who is crowned champion, who comes second and
// third.
#include "core/game_record.h"

namespace tvz {

// Ranks the three contestants into `FirstPlace`, `SecondPlace` and
// `ThirdPlace` by score. Equal scores go to the contestant whose last right
// answer came later; equal scores without a right answer keep index order.
void RankContestants(GameRecord& record);

}  // namespace tvz
