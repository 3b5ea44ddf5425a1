// Small desktop services: the exit error box, the web page, version and title.
#include "platform/desktop.h"

#include <SDL.h>

#include <cstdio>
#include <utility>

#include "platform/text.h"

#ifndef TRIVENZA_VERSION
#define TRIVENZA_VERSION "0.0.0"
#endif

namespace tvz {
namespace {

// The box needs a video driver that can show windows; the offscreen and dummy
// drivers used by tests and headless runs cannot.
bool canShowBoxes() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver) driver = SDL_getenv("SDL_VIDEODRIVER");
  if (driver && (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0)) {
    return false;
  }
  const char* display = SDL_getenv("DISPLAY");
  const char* wayland = SDL_getenv("WAYLAND_DISPLAY");
  return (display && *display) || (wayland && *wayland);
}

std::string& titleStorage() {
  static std::string title;
  return title;
}

ErrorBoxHandler& boxHandler() {
  static ErrorBoxHandler handler;
  return handler;
}

int& boxesShown() {
  static int shown = 0;
  return shown;
}

}  // namespace

// Caption and text are the game's Windows-1252 strings; SDL and the terminal
// take UTF-8.
void showErrorBox(const std::string& caption, const std::string& text) {
  ++boxesShown();
  if (boxHandler()) {
    boxHandler()(caption, text);
    return;
  }
  const std::string utf8Caption = cp1252ToUtf8(caption);
  const std::string utf8Text = cp1252ToUtf8(text);
  if (canShowBoxes() && SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, utf8Caption.c_str(),
                                                 utf8Text.c_str(), nullptr) == 0) {
    return;
  }
  std::fprintf(stderr, "%s: %s\n", utf8Caption.c_str(), utf8Text.c_str());
}

int errorBoxesShown() { return boxesShown(); }

ErrorBoxHandler setErrorBoxHandler(ErrorBoxHandler handler) {
  return std::exchange(boxHandler(), std::move(handler));
}

bool openUrl(const std::string& url) { return SDL_OpenURL(url.c_str()) == 0; }

std::string programVersion() { return TRIVENZA_VERSION; }

const std::string& applicationTitle() { return titleStorage(); }

void setApplicationTitle(const std::string& title) { titleStorage() = title; }

}  // namespace tvz
