#pragma once
// How a contestant is named: from the five name lists by the record's list
// positions (first names by the gender of the picture), or by a typed name.
#include <string>

#include "core/game_record.h"

namespace tvz {

// Entry of a list, or "" for a position outside it (an unset -1 included).
std::string ListEntry(const StringList& list, std::int32_t index);

// The first-name list of the contestant's gender: odd pictures one list, even
// pictures the other.
const StringList& FirstNameList(const GameRecord& record, const ContestantRecord& who);
std::string FirstName(const GameRecord& record, const ContestantRecord& who);
std::string LastName(const GameRecord& record, const ContestantRecord& who);
std::string Occupation(const GameRecord& record, const ContestantRecord& who);
std::string Residence(const GameRecord& record, const ContestantRecord& who);
// The typed name, "" when the list names are used.
std::string CustomName(const ContestantRecord& who);
// First name, a blank, last name.
std::string ListName(const GameRecord& record, const ContestantRecord& who);
// The typed name if any, else the list name.
std::string FullName(const GameRecord& record, const ContestantRecord& who);
// On the board and in captions: the first word of a typed name, or the first
// name from the list.
std::string ShownName(const GameRecord& record, const ContestantRecord& who);
// "an " before a, e, i, o, u (lower case only), else "a ", capitalised on request.
std::string Article(const std::string& word, bool capital);

}  // namespace tvz
