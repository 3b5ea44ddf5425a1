#include "menus/player_menu.h"

#include <cctype>
#include <cstring>

#include "core/contestant_names.h"
#include "core/screens.h"
#include "core/services.h"
#include "core/switch_screen.h"
#include "platform/clock.h"
#include "platform/random.h"
#include "store/champions.h"

namespace tvz {

namespace {
constexpr const char* kPictureStripFile = "conpics.mm1";
constexpr int kPictureWidth = 241, kPictureHeight = 257;
constexpr int kPictureCount = 6;
constexpr std::size_t kNameMaxLength = 20;

const char* const kKnowledgeTexts[] = {"Beginner", "Average", "Expert"};

ContestantRecord& contestant(int k) { return Services->Contestants[k]; }

std::int32_t randomIndex(const StringList& list) {
  return list.empty() ? 0 : Random(static_cast<std::int32_t>(list.size()));
}

// Appearance steps by two within its gender: 0, 2, 4, 0 ... and 1, 3, 5, 1 ...
std::int32_t nextAppearance(std::int32_t appearance) {
  appearance += 2;
  if (appearance > 5) appearance = appearance % 2;
  return appearance;
}

bool sameGender(const ContestantRecord& a, const ContestantRecord& b) {
  return a.Appearance % 2 == b.Appearance % 2;
}

// The name box keeps ASCII letters, commas, hyphens, full stops and backspace.
bool allowedInName(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u < 128 && std::isalpha(u)) || c == ',' || c == '-' || c == '.' || c == '\b';
}

int findIgnoringCase(const StringList& list, const std::string& text) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    const std::string& entry = list[i];
    if (entry.size() != text.size()) continue;
    bool equal = true;
    for (std::size_t j = 0; j < text.size() && equal; ++j)
      equal = std::tolower(static_cast<unsigned char>(entry[j])) ==
              std::tolower(static_cast<unsigned char>(text[j]));
    if (equal) return static_cast<int>(i);
  }
  return -1;
}
}  // namespace

TPlayerMenu::TPlayerMenu() {
  setCaption("Player Menu");
  setFontHeight(24);
  PlayerLbl = addText(250, 88, 300, 36, "Contestant");
  PlayerLbl->setAlignment(Alignment::Center);
  PlayerLbl->setFontHeight(32);
  ChangeLbl = addText(80, 136, 200, 27, "Change:");
  ChangeGenBtn = addButton(104, 168, 137, 27, "Gender", [this] { ChangeGender(); }, {'G'});
  ChangeAppBtn = addButton(104, 200, 137, 27, "Appearance", [this] { ChangeAppearance(); }, {'A'});
  ChangeFirstBtn = addButton(104, 232, 137, 27, "First Name", [this] { ChangeFirstName(); }, {'F'});
  ChangeLastBtn = addButton(104, 264, 137, 27, "Last Name", [this] {
    StepPosition(contestant(CurrentContestant).LastNameIdx, Services->LastNames);
  }, {'L'});
  ChangeOccBtn = addButton(104, 296, 137, 27, "Occupation", [this] {
    StepPosition(contestant(CurrentContestant).OccupationIdx, Services->Occupations);
  }, {'O'});
  ChangeResBtn = addButton(104, 328, 137, 27, "Residence", [this] {
    StepPosition(contestant(CurrentContestant).ResidenceIdx, Services->Residences);
  }, {'R'});
  ContestantImg = add<Picture>(280, 136, kPictureWidth, kPictureHeight);
  KnowledgeLbl = addText(544, 136, 200, 27, "Knowledge:");
  Label** options[] = {&BeginnerRbtn, &AverageRbtn, &ExpertRbtn};
  for (int i = 0; i < 3; ++i) {
    Label* option = addText(576, 168 + 32 * i, 180, 27, optionCaption(kKnowledgeTexts[i], false));
    option->setCursor(Cursor::HandPoint);
    option->onClick = [this, i](Control&) { ChooseKnowledge(i + 1); };
    *options[i] = option;
  }
  InfoLbl = addText(80, 408, 641, 25, "Our returning champion, a doctor from Chicago");
  InfoLbl->setAlignment(Alignment::Center);
  InfoLbl->setFontHeight(19);
  buttons.addProxy(InfoLbl, ChangeAppBtn);
  NameMemo = add<Edit>(272, 432, 257, 22);
  NameMemo->setMaxLength(static_cast<int>(kNameMaxLength));
  NameMemo->setAlignment(Alignment::Center);
  NameMemo->setFontHeight(19);
  NameMemo->setBorder(false);
  NameMemo->setTabStop(false);
  NameMemo->setText("Pat Sample");
  NameMemo->onKeyPress = [](Control&, char& key) {
    if (!allowedInName(key)) key = 0;
  };
  PrevBtn = addButton(80, 480, 120, 27, "< Prev", [this] { Previous(); },
                      {vk::Escape, vk::Snapshot, 'P'});
  NextBtn = addButton(320, 480, 153, 27, "Next Human", [this] { NextHuman(); }, {'N'});
  StartBtn = addButton(600, 480, 120, 27, "Start >", [this] {
    CommitName();
    StartPressed = 1;
  }, {'S'});
}

TPlayerMenu::~TPlayerMenu() = default;

void TPlayerMenu::FormCreate() {
  MenuScreen::FormCreate();
  PlayerLbl->setFontColor(kNormalColour);
  NameMemo->setColor(kPressedColour);
  NameMemo->setFontColor(kNormalColour);
  // Whether a contestant is the returning champion is decided from the
  // champions list, so a hidden champions screen comes along.
  if (!Champions) {
    if (!createForm(&Champions)) {
      Services->ReportError("Insufficent memory or resources available", 710);
      Close();
      return;
    }
    Champions->BkgndImg->setBitmap(Services->Backdrop);
    OwnsChampions = true;
  }
}

void TPlayerMenu::FormDestroy() {
  if (OwnsChampions && Champions && !Champions->visible()) destroyForm(Champions);
}

bool TPlayerMenu::LoadPictureStrip() {
  // A strip that cannot be loaded has been reported; the picture box stays empty.
  return Services->LoadPicture(kPictureStripFile, PictureStrip);
}

void TPlayerMenu::FormShow() {
  NextBtn->setVisible(Services->PlayMode == 5);
  ContestantRecord& me = contestant(CurrentContestant);
  me.IsHuman = 1;
  me.Knowledge = 2;
  ShowPicture();
  Randomize(GetTickCount());
  PickNames(CurrentContestant);
  ShowContestant();
  ShowKnowledge();
  CancelPressed = StartPressed = 0;
}

void TPlayerMenu::ShowPicture() {
  ContestantRecord& me = contestant(CurrentContestant);
  const int a = me.Appearance;
  ContestantImg->editBitmap().resize(kPictureWidth, kPictureHeight);
  ContestantImg->copyRect({0, 0, kPictureWidth, kPictureHeight}, PictureStrip,
                          {0, kPictureHeight * a, kPictureWidth, kPictureHeight * a + kPictureHeight});
  me.AppearanceNo = me.Appearance / 2 + 1;
}

void TPlayerMenu::PickNames(int k) {
  ContestantRecord& who = contestant(k);
  who.FirstNameIdx = randomIndex(FirstNameList(*Services, who));
  who.LastNameIdx = randomIndex(Services->LastNames);
  who.OccupationIdx = randomIndex(Services->Occupations);
  who.ResidenceIdx = randomIndex(Services->Residences);
}

void TPlayerMenu::ShowContestant() {
  ContestantRecord& me = contestant(CurrentContestant);
  me.IsReturningChampion = Champions && Champions->IsChampion(me) ? 1 : 0;
  const std::string occupation = Occupation(*Services, me);
  std::string info = me.IsReturningChampion ? "Our returning champion, " + Article(occupation, false)
                                            : Article(occupation, true);
  info += occupation + " from " + Residence(*Services, me);
  InfoLbl->setCaption(info);
  NameMemo->setText(ListName(*Services, me));
}

void TPlayerMenu::ShowKnowledge() {
  const int knowledge = contestant(CurrentContestant).Knowledge;
  if (knowledge < 1 || knowledge > 3) return;
  Label* options[] = {BeginnerRbtn, AverageRbtn, ExpertRbtn};
  for (int i = 0; i < 3; ++i) setOption(options[i], kKnowledgeTexts[i], knowledge == i + 1);
}

void TPlayerMenu::ChooseKnowledge(int knowledge) {
  playClick();
  contestant(CurrentContestant).Knowledge = knowledge;
  ShowKnowledge();
}

void TPlayerMenu::ChangeAppearance() {
  ContestantRecord& me = contestant(CurrentContestant);
  me.Appearance = nextAppearance(me.Appearance);
  SeparateAppearance();
  ShowPicture();
}

void TPlayerMenu::ChangeGender() {
  ContestantRecord& me = contestant(CurrentContestant);
  me.Appearance += (me.Appearance % 2 != 0) ? -1 : 1;
  SeparateAppearance();
  ShowPicture();
  ShowContestant();
}

void TPlayerMenu::ChangeFirstName() {
  ContestantRecord& me = contestant(CurrentContestant);
  const auto size = static_cast<std::int32_t>(FirstNameList(*Services, me).size());
  if (size == 0) return;
  // Skips the positions the other two contestants hold, whatever their gender;
  // bounded, so even a full clash cannot loop forever.
  for (int tries = 0; tries < size; ++tries) {
    me.FirstNameIdx = (me.FirstNameIdx + 1) % size;
    bool taken = false;
    for (int k = 0; k < 3; ++k)
      if (k != CurrentContestant && contestant(k).FirstNameIdx == me.FirstNameIdx) taken = true;
    if (!taken) break;
  }
  ShowContestant();
}

void TPlayerMenu::StepPosition(std::int32_t& position, const StringList& list) {
  position = list.empty() ? 0 : (position + 1) % static_cast<std::int32_t>(list.size());
  ShowContestant();
}

void TPlayerMenu::SeparateAppearance() {
  ContestantRecord& me = contestant(CurrentContestant);
  for (int k = 0; k < 3; ++k) {
    if (k == CurrentContestant) continue;
    if (me.Appearance == contestant(k).Appearance) me.Appearance = nextAppearance(me.Appearance);
  }
}

void TPlayerMenu::NextHuman() {
  ++CurrentContestant;
  if (CurrentContestant == 2) NextBtn->hide();
  CompleteLineUp();
  contestant(CurrentContestant).IsHuman = 1;
  ShowKnowledge();
  ShowPicture();
  ShowContestant();
}

void TPlayerMenu::Previous() {
  if (Services->PlayMode == 5 && CurrentContestant > 0) {
    --CurrentContestant;
    NextBtn->show();
    ShowKnowledge();
    ShowPicture();
    ShowContestant();
    return;
  }
  CancelPressed = 1;
}

void TPlayerMenu::CommitName() {
  ContestantRecord& me = contestant(CurrentContestant);
  const std::string typed = NameMemo->text().substr(0, kNameMaxLength);
  const std::size_t blank = typed.find(' ');
  if (blank != std::string::npos && blank > 0 && blank + 1 < typed.size()) {
    const int first = findIgnoringCase(FirstNameList(*Services, me), typed.substr(0, blank));
    const int last = findIgnoringCase(Services->LastNames, typed.substr(blank + 1));
    if (first >= 0 && last >= 0) {
      me.FirstNameIdx = first;
      me.LastNameIdx = last;
      std::memset(me.CustomName, 0, sizeof me.CustomName);
      return;
    }
  } else {
    ShowContestant();
  }
  // Anything else is kept exactly as typed (empty keeps the list names).
  std::memset(me.CustomName, 0, sizeof me.CustomName);
  std::memcpy(me.CustomName, typed.data(), std::min(typed.size(), sizeof me.CustomName - 1));
}

void TPlayerMenu::CompleteLineUp() {
  std::int32_t strongest = 0;
  for (int k = 0; k < 3; ++k)
    if (contestant(k).IsHuman && contestant(k).Knowledge > strongest) strongest = contestant(k).Knowledge;
  for (int k = 0; k < 3; ++k) {
    ContestantRecord& who = contestant(k);
    if (who.IsHuman) continue;
    const ContestantRecord& a = contestant((k + 1) % 3);
    const ContestantRecord& b = contestant((k + 2) % 3);
    do {
      who.Appearance = Random(kPictureCount);
    } while (who.Appearance == a.Appearance || who.Appearance == b.Appearance);
    // Never two contestants of one gender with the same first name.
    auto clashes = [&](const ContestantRecord& other) {
      return sameGender(who, other) && who.FirstNameIdx == other.FirstNameIdx;
    };
    do {
      PickNames(k);
    } while (clashes(a) || clashes(b));
    who.AppearanceNo = who.Appearance / 2 + 1;
  }
  for (int k = 0; k < 3; ++k) {
    ContestantRecord& who = contestant(k);
    const std::int32_t history = Random(25) + Random(25) + 32;
    who.CategoryKnowledge[0] = history;  // codes 1 and 2 are both History
    who.CategoryKnowledge[1] = history;
    for (int code = 3; code <= 5; ++code) who.CategoryKnowledge[code - 1] = Random(25) + Random(25) + 32;
    if (!who.IsHuman) who.Knowledge = strongest;
  }
}

void TPlayerMenu::FormKeyDown(int& key, ShiftState shift) {
  if (swallowAltF4(key, shift)) return;
  if (NameBoxTakes(key, shift)) return;
  if (key == vk::Delete) {
    if (shift.alt && NameMemo->focused()) buttons.showPressed(StartBtn);
    key = 0;
    return;
  }
  if (key == 'N' && !NextBtn->visible()) return;
  if (buttons.keyDown(key)) key = 0;
}

void TPlayerMenu::FormKeyUp(int& key, ShiftState shift) {
  if (NameBoxTakes(key, shift)) return;
  if (key == vk::Delete) {
    if (shift.alt && NameMemo->focused()) buttons.click(StartBtn);
    key = 0;
    return;
  }
  if (key == 'K') {
    ChooseKnowledge(contestant(CurrentContestant).Knowledge % 3 + 1);
    key = 0;
    return;
  }
  if (buttons.keyUp(key)) key = 0;
}

// While the name box has the focus, letters and editing keys are typing; the
// shortcuts then work with Alt held, and Escape alone still goes back.
bool TPlayerMenu::NameBoxTakes(int key, ShiftState shift) const {
  return NameMemo->focused() && !shift.alt && key != vk::Escape;
}

}  // namespace tvz
