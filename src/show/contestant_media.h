#pragma once
// How a contestant is drawn and voiced on the show: the picture and face clip
// of its appearance, the voice set, the host's clip of its first name. A
// contestant record can come from a saved file, so before any of these index
// a table the record is checked once (DrawableContestant).
#include <cstdint>
#include <string>

#include "core/game_record.h"

namespace tvz {

inline constexpr int kAppearances = 6;
inline constexpr int kVoicesPerGender = 3;

// True when the picture, voice and name of the contestant lie inside the
// game's tables: Appearance 0..5, AppearanceNo 1..3 and, without a typed
// name, a first name inside its list.
bool DrawableContestant(const GameRecord& record, const ContestantRecord& who);

// True when the contestant plays under a typed name (never named aloud).
bool HasTypedName(const ContestantRecord& who);

// "cam2" + Appearance + ".mm1": the picture on the board.
std::string BoardPictureFile(const ContestantRecord& who);
// "con" + Appearance + ".mm4": the face clip laid over it.
std::string FaceClipFile(const ContestantRecord& who);

// "m" for an odd Appearance, "f" for an even one, then AppearanceNo: the
// first two characters of every clip the contestant says.
std::string VoicePrefix(const ContestantRecord& who);

// The host saying the first name from the lists: "hf01".."hf12" for an even
// Appearance, "hf13".."hf24" for an odd one.
std::string HostNameClip(const ContestantRecord& who);

// A number as the clips spell it: two digits below 10 ("05"), else plain.
std::string ClipNumber(std::int64_t number);

}  // namespace tvz
