#include "core/settings.h"

#include <map>
#include <optional>
#include <vector>

#include "core/file_writer.h"
#include "core/media.h"
#include "core/places.h"

namespace tvz {
namespace {

using SettingMap = std::map<std::string, std::string>;

std::optional<SettingMap>& cache() {
  static std::optional<SettingMap> settings;
  return settings;
}

// Names and values are single lines; a name has no "=".
bool Storable(const std::string& name, const std::string& value) {
  auto oneLine = [](const std::string& s) { return s.find_first_of("\r\n") == std::string::npos; };
  return !name.empty() && name.find('=') == std::string::npos && oneLine(name) && oneLine(value);
}

SettingMap Read() {
  SettingMap settings;
  std::vector<std::uint8_t> bytes;
  if (!ReadWholeFile(InConfig(kSettingsFile), bytes)) return settings;
  std::string line;
  auto take = [&] {
    const std::size_t equals = line.find('=');
    if (equals != std::string::npos && equals > 0) settings[line.substr(0, equals)] = line.substr(equals + 1);
    line.clear();
  };
  for (const std::uint8_t byte : bytes) {
    if (byte == '\n' || byte == '\r')
      take();
    else if (byte != 0)
      line += static_cast<char>(byte);
  }
  take();
  return settings;
}

SettingMap& Loaded() {
  if (!cache()) cache() = Read();
  return *cache();
}

}  // namespace

std::string Setting(const std::string& name, const std::string& fallback) {
  const SettingMap& settings = Loaded();
  const auto found = settings.find(name);
  return found == settings.end() ? fallback : found->second;
}

bool SetSetting(const std::string& name, const std::string& value) {
  if (!Storable(name, value)) return false;
  SettingMap& settings = Loaded();
  settings[name] = value;
  std::string text;
  for (const auto& [key, setting] : settings) text += key + "=" + setting + "\n";
  return ReplaceFile(InConfig(kSettingsFile), std::vector<std::uint8_t>(text.begin(), text.end()));
}

void ForgetSettings() { cache().reset(); }

}  // namespace tvz
