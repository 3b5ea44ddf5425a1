#pragma once
// Runs the real game headless from its own game directory: a scratch copy of
// the build's game directory (its media linked, nothing of a player's there),
// the manual clock, the real main window and its frame timer.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "harness/harness.h"
#include "shell/main_window.h"

namespace tvz::testing {

class GameSession : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Links every media file of the game directory into the scratch directory,
  // except those named.
  void linkMedia(const std::vector<std::string>& except = {});
  // Writes bytes to a file of the scratch directory.
  void writeFile(const std::string& name, const std::string& bytes);
  std::string readFile(const std::string& name) const;
  bool fileExists(const std::string& name) const;

  // Starts the program as its entry does, then runs the scenario.
  void play(const std::function<void(Driver&)>& scenario);

  // Waits in frame ticks until the top menu is up and the menu stage runs.
  static bool reachTopMenu(Driver& d, bool pressKeys = true);
  // Clicks the centre of a control.
  static void clickOn(Driver& d, const Control* control);

  std::filesystem::path dir_;
  std::filesystem::path previous_;
  bool mediaLinked_ = false;
  // The clock's start decides the show's draws: contestant setup seeds the
  // generator from it.
  HarnessOptions harnessOptions_;
};

}  // namespace tvz::testing
