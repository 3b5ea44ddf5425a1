#pragma once
// The caption lines of a contestant's card: the champion line, the
// occupation line ("A dentist from Leeds", or "a dentist ..." after the
// champion line) and the name line (the typed name, or the list names).
#include <string>

#include "core/game_record.h"

namespace tvz {

inline constexpr const char* kChampionLine = "Our returning champion";
inline constexpr const char* kClickToContinue = " (Click to continue)";

std::string OccupationLine(const GameRecord& record, const ContestantRecord& who);
std::string NameLine(const GameRecord& record, const ContestantRecord& who);
// What the card shows first during the opening.
std::string FirstOpeningLine(const GameRecord& record, const ContestantRecord& who);

}  // namespace tvz
