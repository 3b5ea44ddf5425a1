#pragma once
// Fresh questions first: for each question pack, the questions its finished
// and saved shows have asked, kept in "asked.tvh" beside the saved games.
// At a new game every question asked before is drawn only after every
// question of its category that has not been asked yet; once a category has
// been asked in full, its history starts over. A damaged file is ignored and
// written anew.
#include <string>

#include "core/game_record.h"

namespace tvz {

inline constexpr const char* kHistoryFile = "asked.tvh";

// At a new game, after the pack is chosen: the questions of the record's
// pack asked in earlier shows are marked used, so the show's draw passes
// them over until their category has no fresh question left.
void MarkAskedBefore(GameRecord& record);

// At the end of a show or when it is saved: the questions it has asked join
// its pack's history. False when the file could not be written.
bool RememberAsked(const GameRecord& record);

}  // namespace tvz
