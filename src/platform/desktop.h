#pragma once
// Small desktop services: the error box, opening a web page, the version.
#include <functional>
#include <string>

namespace tvz {

// A system-modal error box with the given caption (the application title) and
// text. Without a display the text goes to standard error instead.
void showErrorBox(const std::string& caption, const std::string& text);

// How many error boxes this run has shown (to the desktop, standard error or
// the handler): a program that showed one ends with a failure status.
int errorBoxesShown();

// Where error boxes go instead of the desktop while a handler is set (tests
// read them there); returns the handler it replaces.
using ErrorBoxHandler = std::function<void(const std::string& caption, const std::string& text)>;
ErrorBoxHandler setErrorBoxHandler(ErrorBoxHandler handler);

// Opens a URL (or a local file as file://...) in the desktop's browser.
// Returns false when the desktop refused.
bool openUrl(const std::string& url);

// The program's version, from the project's build settings ("1.0.0").
std::string programVersion();

// The application title, used as the caption of error boxes.
const std::string& applicationTitle();
void setApplicationTitle(const std::string& title);

}  // namespace tvz
