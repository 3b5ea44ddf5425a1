#pragma once
// Whole shows on the real game from its own game directory (see
// game_session.h), played by the show player (see show_player.h).
#include "harness/game_session.h"
#include "harness/show_player.h"

namespace tvz::testing {

class WholeShow : public GameSession, public ShowPlayer {
 protected:
  void SetUp() override {
    GameSession::SetUp();
    linkMedia(missingMedia_);
  }

  // Media files left out of the game directory (set before SetUp runs).
  std::vector<std::string> missingMedia_;
};

}  // namespace tvz::testing
