#pragma once
// The player's settings that outlive a run (the question pack last chosen,
// the window or full screen): "name=value" lines in "settings.ini" in the
// settings folder. A missing or damaged file gives the defaults; a line that
// is not "name=value" is ignored; every change is written at once, whole.
#include <string>

namespace tvz {

inline constexpr const char* kSettingsFile = "settings.ini";

// The value of a setting, or fallback when it has none.
std::string Setting(const std::string& name, const std::string& fallback = {});
// Sets a setting and writes the file; false when the file could not be
// written (the value still holds for this run).
bool SetSetting(const std::string& name, const std::string& value);
// Forgets what was read, so that the next look reads the file again (a new
// settings folder, or a test's fresh directory).
void ForgetSettings();

}  // namespace tvz
