#pragma once
// Catches the boxes the program opens as it ends after a failure, instead of
// the desktop's: each with its text, and whether the game's full-screen
// window had already given the display back when it opened.
#include <string>
#include <vector>

#include "platform/application.h"
#include "platform/desktop.h"

namespace tvz::testing {

class ErrorBoxes {
 public:
  struct Box {
    std::string text;
    bool displayReleased;
  };
  ErrorBoxes() {
    previous_ = setErrorBoxHandler([this](const std::string&, const std::string& text) {
      boxes.push_back({text, Application::exists() && Application::current().displayReleased()});
    });
  }
  ~ErrorBoxes() { setErrorBoxHandler(previous_); }
  ErrorBoxes(const ErrorBoxes&) = delete;
  ErrorBoxes& operator=(const ErrorBoxes&) = delete;

  std::vector<Box> boxes;

 private:
  ErrorBoxHandler previous_;
};

}  // namespace tvz::testing
