#include "scenes/card_captions.h"

#include "core/contestant_names.h"

namespace tvz {

std::string OccupationLine(const GameRecord& record, const ContestantRecord& who) {
  const std::string occupation = Occupation(record, who);
  // After "Our returning champion" the line continues the sentence.
  const bool sentenceStart = !who.IsReturningChampion;
  return Article(occupation, sentenceStart) + occupation + " from " + Residence(record, who);
}

std::string NameLine(const GameRecord& record, const ContestantRecord& who) {
  return FullName(record, who);
}

std::string FirstOpeningLine(const GameRecord& record, const ContestantRecord& who) {
  return who.IsReturningChampion ? std::string(kChampionLine) : OccupationLine(record, who);
}

}  // namespace tvz
