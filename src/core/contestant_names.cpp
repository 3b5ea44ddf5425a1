#include "core/contestant_names.h"

#include <cstring>

namespace tvz {

std::string ListEntry(const StringList& list, std::int32_t index) {
  if (index < 0 || static_cast<std::size_t>(index) >= list.size()) return {};
  return list[static_cast<std::size_t>(index)];
}

const StringList& FirstNameList(const GameRecord& record, const ContestantRecord& who) {
  return (who.Appearance % 2 != 0) ? record.FirstNamesOdd : record.FirstNamesEven;
}

std::string FirstName(const GameRecord& record, const ContestantRecord& who) {
  return ListEntry(FirstNameList(record, who), who.FirstNameIdx);
}

std::string LastName(const GameRecord& record, const ContestantRecord& who) {
  return ListEntry(record.LastNames, who.LastNameIdx);
}

std::string Occupation(const GameRecord& record, const ContestantRecord& who) {
  return ListEntry(record.Occupations, who.OccupationIdx);
}

std::string Residence(const GameRecord& record, const ContestantRecord& who) {
  return ListEntry(record.Residences, who.ResidenceIdx);
}

std::string CustomName(const ContestantRecord& who) {
  // The field comes from saved files too: never read past its 24 bytes.
  return std::string(who.CustomName, strnlen(who.CustomName, sizeof who.CustomName));
}

std::string ListName(const GameRecord& record, const ContestantRecord& who) {
  return FirstName(record, who) + " " + LastName(record, who);
}

std::string FullName(const GameRecord& record, const ContestantRecord& who) {
  const std::string typed = CustomName(who);
  return typed.empty() ? ListName(record, who) : typed;
}

std::string ShownName(const GameRecord& record, const ContestantRecord& who) {
  const std::string typed = CustomName(who);
  if (typed.empty()) return FirstName(record, who);
  return typed.substr(0, typed.find(' '));
}

std::string Article(const std::string& word, bool capital) {
  const bool vowel = !word.empty() && std::strchr("aeiou", word[0]) != nullptr && word[0] != '\0';
  if (vowel) return capital ? "An " : "an ";
  return capital ? "A " : "a ";
}

}  // namespace tvz
