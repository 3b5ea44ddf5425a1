#pragma once
// A pack's questions as the show draws them: index records pointing into a
// list of question texts and a list of answer texts, as the game's question
// bank files hold them. The records are shuffled in a fixed way, so that the
// show's draw does not follow the writer's order and yet the same pack always
// gives the same bank (a saved game's question flags and the history of
// asked questions name records by their place).
#include <cstdint>
#include <vector>

#include "core/game_record.h"
#include "core/question_pack.h"

namespace tvz {

struct PackBank {
  std::vector<QuestionIndexRecord> records;  // at most kQuestionRecordCount
  StringList questions;                      // one per record
  StringList answers;                        // identical answers share a line
};

// At most kQuestionRecordCount questions are compiled.
PackBank CompilePack(const std::vector<PackQuestion>& questions);

// A checksum of everything the show reads of the bank (FNV-1a, 32 bits).
std::uint32_t PackHash(const PackBank& bank);

}  // namespace tvz
