#pragma once
// Runs the camera scenes headless on the real game directory: the harness
// (manual clock, offscreen video), the game's services as the main window
// holds them (name lists, question bank, click sound, the menu backdrop) and
// a black stage form standing for the main window below the scenes. Scenes
// are opened as the show opens them: created, given their contestant,
// loaded, shown.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/services.h"
#include "harness/game_session.h"

namespace tvz::testing {

class SceneSession : public GameSession {
 protected:
  // Links the media (unless the test did) and runs the scenario.
  void run(const std::function<void(Driver&)>& scenario);

  // Services as the running game has them (valid inside run).
  TvzServices& game() { return *services_; }

  // Three contestants with list names, jobs and home towns, appearances 0, 3
  // and 4, cells worth 1..10 all unplayed; contestant 0 human, the others
  // computers. A question with its four answers is current.
  void SeatLineUp();

  // Runs the work on the application's thread, as the show's frame tick runs
  // its steps (sound and the window belong to that thread). The clock moves
  // one millisecond.
  static void OnAppThread(Driver& d, const std::function<void()>& work);

  // Creates the scene into its registry variable, sets its contestant, loads
  // its pictures and shows it, as the show does on a tick; null (scene
  // closed) when the load failed.
  template <class Scene>
  static Scene* Open(Driver& d, Scene*& slot, std::int32_t contestant) {
    OnAppThread(d, [&] {
      if (!createForm(&slot)) return;
      slot->Contestant = contestant;
      if (slot->LoadPictures()) slot->Show();
    });
    return slot;
  }
  // The same for the scenes that serve no particular contestant.
  template <class Scene>
  static Scene* OpenPlain(Driver& d, Scene*& slot) {
    OnAppThread(d, [&] {
      if (createForm(&slot) && slot->LoadPictures()) slot->Show();
    });
    return slot;
  }

  // One frame of the show while a clocked scene is up: the clock moves 33 ms,
  // the loop runs, and the scene (if still there) gets its Update.
  template <class Scene>
  static void Frame(Driver& d, Scene*& slot) {
    d.ticks(1);
    if (slot) slot->Update();
    d.settle();
  }

  // The clip names of the sound played last (empty when none).
  std::vector<std::string> LastSoundPlayed() const;
  std::string ErrorLog() const { return readFile("error.log"); }

  std::vector<std::string> boxes_;

 private:
  std::unique_ptr<TvzServices> services_;
};

// The game's own text colours of a label, as drawn.
inline Color FontColour(const Label* label) { return label->font().color; }

}  // namespace tvz::testing
