#include "show/contestant_media.h"

#include <algorithm>

#include "core/contestant_names.h"

namespace tvz {

namespace {
// Each first-name list gives the host twelve name clips: the even list first.
constexpr std::int32_t kNamesPerList = 12;

bool OddAppearance(const ContestantRecord& who) { return who.Appearance % 2 != 0; }
}  // namespace

bool HasTypedName(const ContestantRecord& who) { return !CustomName(who).empty(); }

bool DrawableContestant(const GameRecord& record, const ContestantRecord& who) {
  if (who.Appearance < 0 || who.Appearance >= kAppearances) return false;
  if (who.AppearanceNo < 1 || who.AppearanceNo > kVoicesPerGender) return false;
  if (HasTypedName(who)) return true;
  const StringList& names = FirstNameList(record, who);
  // The host has a clip for twelve names of each list, no more.
  const auto usable = std::min<std::size_t>(names.size(), kNamesPerList);
  return who.FirstNameIdx >= 0 && static_cast<std::size_t>(who.FirstNameIdx) < usable;
}

std::string BoardPictureFile(const ContestantRecord& who) {
  return "cam2" + std::to_string(who.Appearance) + ".mm1";
}

std::string FaceClipFile(const ContestantRecord& who) {
  return "con" + std::to_string(who.Appearance) + ".mm4";
}

std::string VoicePrefix(const ContestantRecord& who) {
  return (OddAppearance(who) ? "m" : "f") + std::to_string(who.AppearanceNo);
}

std::string HostNameClip(const ContestantRecord& who) {
  const std::int64_t number = std::int64_t{who.FirstNameIdx} + (OddAppearance(who) ? kNamesPerList + 1 : 1);
  return "hf" + ClipNumber(number);
}

std::string ClipNumber(std::int64_t number) {
  return (number >= 0 && number < 10 ? "0" : "") + std::to_string(number);
}

}  // namespace tvz
