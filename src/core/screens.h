#pragma once
// The screen registry: one application-wide variable per screen, holding its
// only instance or null. The main window's sequence decides everything by
// looking at these variables and at the screens' visibility; a screen's
// variable goes back to null when the screen is released.

namespace tvz {

class TTvzMain;
class TVantoSplash;
class TTitleSplash;
class TTopMenu;
class TGameMenu;
class TPlayerMenu;
class TChampions;
class THelpMenu;
class TPopupBox;
class TPopupBox2;

extern TTvzMain* TvzMain;
extern TVantoSplash* VantoSplash;
extern TTitleSplash* TitleSplash;
extern TTopMenu* TopMenu;
extern TGameMenu* GameMenu;
extern TPlayerMenu* PlayerMenu;
extern TChampions* Champions;
extern THelpMenu* HelpMenu;
extern TPopupBox* PopupBox;
extern TPopupBox2* PopupBox2;

}  // namespace tvz
