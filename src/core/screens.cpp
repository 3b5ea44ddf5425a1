#include "app/screens.h"

namespace tvz {

TTvzMain* TvzMain = nullptr;
TVantoSplash* VantoSplash = nullptr;
TTitleSplash* TitleSplash = nullptr;
TTopMenu* TopMenu = nullptr;
TGameMenu* GameMenu = nullptr;
TPlayerMenu* PlayerMenu = nullptr;
TChampions* Champions = nullptr;
THelpMenu* HelpMenu = nullptr;
TPopupBox* PopupBox = nullptr;
TPopupBox2* PopupBox2 = nullptr;

}  // namespace tvz
