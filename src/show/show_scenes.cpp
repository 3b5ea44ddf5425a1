#include "show/show_scenes.h"

#include <array>

#include "core/screens.h"
#include "core/services.h"
#include "core/switch_screen.h"
#include "platform/sound_output.h"
#include "scenes/camera2a.h"
#include "scenes/camera2b.h"
#include "scenes/camera2c.h"
#include "scenes/camera3h.h"
#include "scenes/camera3hc.h"
#include "scenes/camera3m.h"
#include "scenes/camera3mc.h"
#include "scenes/camera3s.h"
#include "scenes/camera3sc.h"
#include "scenes/camera3t.h"
#include "scenes/camera3tc.h"
#include "scenes/camera3w.h"
#include "scenes/camera4.h"
#include "scenes/camera4x.h"
#include "scenes/camera5a.h"
#include "scenes/camera5b.h"
#include "scenes/camera5c.h"
#include "scenes/host_scene.h"
#include "show/board.h"
#include "show/rules_codes.h"

namespace tvz {

namespace {

constexpr std::int32_t kCategoryChoiceLocation = 905;
constexpr std::int32_t kValueLocations = 1005;     // + 5 per category
constexpr std::int32_t kHumanQuestionLocations = 1105;
constexpr std::int32_t kComputerQuestionLocations = 1125;
constexpr std::int32_t kBreakLocations = 1305;
constexpr std::int32_t kWinnersLocation = 1500;

// 0 History, 1 Music, 2 Sports, 3 TV, Arts, and Literature.
int SceneCategory(std::int32_t category) { return QuestionCategoryOf(PlayedCategory(category)); }

// Creates the scene, gives it its pictures and leaves it hidden. Null when
// it could not be made: a failed creation is reported here, a failed load by
// the loader, and the scene has closed itself.
template <class Scene>
Scene* Make(Scene*& slot, std::int32_t location) {
  if (!createScreen(slot, location) || !slot || slot->releasing()) return nullptr;
  if (!slot->LoadPictures()) return nullptr;
  return slot;
}

// The same for a scene that serves a contestant, then shown.
template <class Scene>
bool OpenFor(Scene*& slot, std::int32_t location, std::int32_t contestant) {
  if (!createScreen(slot, location) || !slot || slot->releasing()) return false;
  slot->Contestant = contestant;
  if (!slot->LoadPictures()) return false;
  slot->Show();
  return true;
}

template <class Form>
void CloseIfOpen(Form* form) {
  if (form && !form->releasing()) form->Close();
}

bool Visible(const Form* form) { return form && form->visible(); }

bool ServesHuman(const TimedScene* scene) {
  if (!Visible(scene) || !IsContestant(scene->Contestant)) return false;
  return Services->Contestants[scene->Contestant].IsHuman != 0;
}

std::array<QuestionScene*, 4> QuestionScenes() { return {Camera3h, Camera3m, Camera3s, Camera3t}; }

std::array<ChallengeValueScene*, 4> ValueScenes() {
  return {Camera3hc, Camera3mc, Camera3sc, Camera3tc};
}

template <class Scene>
bool OpenValue(Scene*& slot, std::int32_t location, std::int32_t defender, std::int32_t challenger) {
  if (!createScreen(slot, location) || !slot || slot->releasing()) return false;
  slot->Contestant = defender;
  slot->Challenger = challenger;
  if (!slot->LoadPictures()) return false;
  slot->Show();
  return true;
}

}  // namespace

bool OpenCategoryChoice(std::int32_t defender) {
  return OpenFor(Camera3w, kCategoryChoiceLocation, defender);
}

bool OpenChallengeValue(std::int32_t category, std::int32_t defender, std::int32_t challenger) {
  const int k = SceneCategory(category);
  const std::int32_t location = kValueLocations + 5 * k;
  switch (k) {
    case 1: return OpenValue(Camera3mc, location, defender, challenger);
    case 2: return OpenValue(Camera3sc, location, defender, challenger);
    case 3: return OpenValue(Camera3tc, location, defender, challenger);
    default: return OpenValue(Camera3hc, location, defender, challenger);
  }
}

bool OpenQuestion(std::int32_t category, std::int32_t answerer, bool computer) {
  const int k = SceneCategory(category);
  const std::int32_t location = (computer ? kComputerQuestionLocations : kHumanQuestionLocations) + 5 * k;
  switch (k) {
    case 1: return OpenFor(Camera3m, location, answerer);
    case 2: return OpenFor(Camera3s, location, answerer);
    case 3: return OpenFor(Camera3t, location, answerer);
    default: return OpenFor(Camera3h, location, answerer);
  }
}

void CloseQuestion() {
  for (QuestionScene* scene : QuestionScenes()) CloseIfOpen(scene);
}

TCamera1* MakeHostScene(std::int32_t location) {
  CloseHostScene();
  return Make(Camera1, location);
}

void CloseHostScene() { CloseIfOpen(Camera1); }

bool MakeBreakScene(int which) {
  const std::int32_t location = kBreakLocations + 5 * which;
  switch (which) {
    case 1: return Make(Camera5b, location) != nullptr;
    case 2: return Make(Camera5c, location) != nullptr;
    default: return Make(Camera5a, location) != nullptr;
  }
}

void ShowBreakScene(int which) {
  BreakScene* scenes[] = {Camera5a, Camera5b, Camera5c};
  if (which >= 0 && which < 3 && scenes[which]) scenes[which]->Show();
}

void CloseBreakScenes() {
  CloseIfOpen(Camera5a);
  CloseIfOpen(Camera5b);
  CloseIfOpen(Camera5c);
}

bool AnyBreakScene() { return Camera5a || Camera5b || Camera5c; }

bool MakeWinnersScene() { return Make(Camera4x, kWinnersLocation) != nullptr; }

bool WinnersSceneMade() { return Camera4x && !Camera4x->releasing(); }

void ShowWinnersScene() {
  if (Camera4x) Camera4x->Show();
}

void UpdateOpenScene() {
  const std::array<TimedScene*, 9> inOrder = {Camera3h,  Camera3hc, Camera3m,  Camera3mc, Camera3s,
                                              Camera3sc, Camera3t,  Camera3tc, Camera3w};
  for (TimedScene* scene : inOrder) {
    if (!scene) continue;
    if (scene->visible()) scene->Update();
    return;
  }
}

bool SceneAwaitsPlayer() {
  for (QuestionScene* scene : QuestionScenes())
    if (ServesHuman(scene)) return true;
  if (ServesHuman(Camera3w)) return true;
  for (ChallengeValueScene* scene : ValueScenes())
    if (Visible(scene)) return true;
  return false;
}

void DisposeOfShow() {
  CloseIfOpen(Camera2);
  CloseIfOpen(Camera3w);
  for (QuestionScene* scene : QuestionScenes()) CloseIfOpen(scene);
  for (ChallengeValueScene* scene : ValueScenes()) CloseIfOpen(scene);
  CloseHostScene();
  CloseBreakScenes();
  CloseIfOpen(Camera4x);
  CloseIfOpen(Camera4);
  CloseIfOpen(Camera2a);
  CloseIfOpen(Camera2b);
  CloseIfOpen(Camera2c);
  // The speech of the show stops with it, and its buffer goes too.
  SoundOutput::instance().stopAll();
  Services->VoiceStream = SoundBuffer();
}

}  // namespace tvz
