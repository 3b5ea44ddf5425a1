#pragma once
// The camera scenes the board opens during a show, and what it asks of them
// on every frame. A scene is opened the way the show always opens one:
// created into its variable (a creation failure is reported with the step's
// location code), given the contestant it serves, its pictures loaded, then
// shown without waiting. Scenes hand their results back through the game
// record only.
#include <cstdint>

namespace tvz {

class TCamera1;

// Category codes 1 and 2 are History, 3 Music, 4 Sports, 5 TV, Arts, and
// Literature; each has its own challenge value and question scene. Any other
// code is played as History.

// The category choice of a human defender (905).
bool OpenCategoryChoice(std::int32_t defender);
// The challenge value scene of the category: the defender's cells, with the
// challenger's card on top in multi-player mode (1005, 1010, 1015, 1020).
bool OpenChallengeValue(std::int32_t category, std::int32_t defender, std::int32_t challenger);
// The question scene of the category for the answerer (a human: 1105 to
// 1120; a computer, whose answer is already decided: 1125 to 1140).
bool OpenQuestion(std::int32_t category, std::int32_t answerer, bool computer);
// Closes the question scene still open, if any (a computer's answer is given).
void CloseQuestion();

// A new host scene with its pictures, ready for its caption; any host scene
// still up goes first. Null when it could not be made (reported, with the
// location for a failed creation).
TCamera1* MakeHostScene(std::int32_t location);
void CloseHostScene();

// The commercial break a, b or c (which = 0, 1, 2) with its still loaded
// (1305, 1310, 1315); shown by the caller once its voice-over plays.
bool MakeBreakScene(int which);
void ShowBreakScene(int which);
void CloseBreakScenes();
// While a break scene exists the break is running.
bool AnyBreakScene();

// The winners' stage with its pictures (1500); shown by the caller.
bool MakeWinnersScene();
// The winners' stage has been made (and not closed since).
bool WinnersSceneMade();
void ShowWinnersScene();

// Once a frame: the answer clock of the scene open now. The scenes are looked
// at in a fixed order and only the first one that exists counts.
void UpdateOpenScene();
// A scene is up that waits for a person: a question or the category choice
// for a human contestant, or any challenge value scene. A computer's question
// scene is only a picture for the audience and holds nothing up.
bool SceneAwaitsPlayer();

// Clears away everything of a show that is still open (the board, every
// camera scene, the contestant cards, the winners' stage) and silences it:
// after "End Game", "Quit", or before a loaded game takes over. The forms go
// once the current event has been handled.
void DisposeOfShow();

}  // namespace tvz
