#include "store/saved_game_names.h"

#include <algorithm>
#include <cstdio>

#include "platform/text.h"

namespace tvz {

namespace {
constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

// Controls of ASCII, and of the range Windows-1252 leaves undefined.
bool isControl(unsigned char c) {
  return c < 0x20 || c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}
}  // namespace

bool HasSaveExtension(std::string_view name) {
  return name.size() >= kSaveExtension.size() &&
         equalIgnoringCase(name.substr(name.size() - kSaveExtension.size()), kSaveExtension);
}

std::string WithSaveExtension(std::string name) {
  if (!HasSaveExtension(name)) name += kSaveExtension;
  return name;
}

bool IsSafeSaveName(std::string_view shownName) {
  if (shownName.empty() || shownName == "." || shownName == "..") return false;
  return std::none_of(shownName.begin(), shownName.end(), [](char c) {
    return c == '/' || c == '\\' || isControl(static_cast<unsigned char>(c));
  });
}

std::string DefaultSaveName(const std::string& firstName, const std::tm& date) {
  const int month = std::clamp(date.tm_mon, 0, 11);
  char when[32];
  std::snprintf(when, sizeof when, "%02d-%s-%04d", date.tm_mday, kMonths[month], date.tm_year + 1900);
  return firstName + " " + when + std::string(kSaveExtension);
}

std::tm Today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

bool SlotOrderBefore(const std::string& a, const std::string& b) {
  const bool less = std::lexicographical_compare(
      a.begin(), a.end(), b.begin(), b.end(),
      [](char x, char y) { return static_cast<unsigned char>(lowerAscii(x)) < static_cast<unsigned char>(lowerAscii(y)); });
  if (less) return true;
  return equalIgnoringCase(a, b) && a < b;
}

std::string DiskName(const std::string& shownName) { return cp1252ToUtf8(shownName); }

std::string ShownName(const std::string& diskName) {
  std::string shown;
  if (utf8ToCp1252(diskName, &shown)) return shown;
  // Not UTF-8, or beyond Windows-1252: plain ASCII stays, the rest is "?".
  shown.clear();
  for (char c : diskName) shown += static_cast<unsigned char>(c) < 0x80 ? c : '?';
  return shown;
}

}  // namespace tvz
