#pragma once
// The rules of play the show applies, as plain functions over the game record
// and the game's random source: the question (rules_question.h), judging an
// answer (rules_judge.h), the final ranking (rules_ranking.h) and the order of
// turns, breaks and rounds (rules_turns.h). The computer contestants'
// decisions are in computer_player.h.
#include "show/rules_codes.h"
#include "show/rules_judge.h"
#include "show/rules_question.h"
#include "show/rules_ranking.h"
#include "show/rules_turns.h"
