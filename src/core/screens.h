#pragma once
// The screen registry: one application-wide variable per screen, holding its
// only instance or null. The main window's sequence decides everything by
// looking at these variables and at the screens' visibility; a screen's
// variable goes back to null when the screen is released.
//
// Each line of the list below names a screen: TVZ_SCREEN(TopMenu) declares the
// class TTopMenu and the variable TopMenu. The classes live with their
// screens; this header only needs their names, so any layer can see whether a
// screen is up without including the screen itself.

#define TVZ_SCREENS(TVZ_SCREEN)                                                 \
  /* splashes and menus */                                                     \
  TVZ_SCREEN(VantoSplash)                                                      \
  TVZ_SCREEN(TitleSplash)                                                      \
  TVZ_SCREEN(TopMenu)                                                          \
  TVZ_SCREEN(GameMenu)                                                         \
  TVZ_SCREEN(PlayerMenu)                                                       \
  TVZ_SCREEN(Champions)                                                        \
  TVZ_SCREEN(HelpMenu)                                                         \
  /* the opening: line-up, contestant cards, host */                           \
  TVZ_SCREEN(Camera4)                                                          \
  TVZ_SCREEN(Camera2a)                                                         \
  TVZ_SCREEN(Camera2b)                                                         \
  TVZ_SCREEN(Camera2c)                                                         \
  TVZ_SCREEN(Camera1)                                                          \
  /* the show: the board and its scenes */                                     \
  TVZ_SCREEN(Camera2)                                                          \
  TVZ_SCREEN(Camera3w)                                                         \
  TVZ_SCREEN(Camera3hc)                                                        \
  TVZ_SCREEN(Camera3mc)                                                        \
  TVZ_SCREEN(Camera3sc)                                                        \
  TVZ_SCREEN(Camera3tc)                                                        \
  TVZ_SCREEN(Camera3h)                                                         \
  TVZ_SCREEN(Camera3m)                                                         \
  TVZ_SCREEN(Camera3s)                                                         \
  TVZ_SCREEN(Camera3t)                                                         \
  TVZ_SCREEN(Camera5a)                                                         \
  TVZ_SCREEN(Camera5b)                                                         \
  TVZ_SCREEN(Camera5c)                                                         \
  TVZ_SCREEN(Camera4x)                                                         \
  /* in-game menu, saved games, preferences */                                 \
  TVZ_SCREEN(InGameMenu)                                                       \
  TVZ_SCREEN(GLoadMenu)                                                        \
  TVZ_SCREEN(GSaveMenu)                                                        \
  TVZ_SCREEN(PrefsMenu)                                                        \
  /* the two message boxes */                                                  \
  TVZ_SCREEN(PopupBox)                                                         \
  TVZ_SCREEN(PopupBox2)

namespace tvz {

#define TVZ_DECLARE_SCREEN(name) \
  class T##name;                 \
  inline T##name* name = nullptr;
TVZ_SCREENS(TVZ_DECLARE_SCREEN)
#undef TVZ_DECLARE_SCREEN

}  // namespace tvz
