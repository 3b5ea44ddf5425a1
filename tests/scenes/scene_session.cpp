#include "scene_session.h"

#include "platform/form.h"
#include "platform/timer.h"

namespace tvz::testing {

void SceneSession::run(const std::function<void(Driver&)>& scenario) {
  if (!mediaLinked_) linkMedia();
  Harness h;
  ASSERT_TRUE(h.ok()) << h.error().reason;
  services_ = std::make_unique<TvzServices>(TvzServices::Hooks{
      [] {}, [this](const std::string& text) { boxes_.push_back(text); }});
  ASSERT_TRUE(services_->CreateServices()) << ErrorLog();
  ASSERT_TRUE(services_->LoadPicture("cam3bknd.mm1", services_->Backdrop));
  // The main window's place: the first form, black, below every scene.
  Form* stage = createForm<Form>();
  stage->Show();
  h.run(scenario);
  services_->DestroyServices();
  services_.reset();
}

void SceneSession::OnAppThread(Driver& d, const std::function<void()>& work) {
  // A timer due in a millisecond: the clock moves that much and the loop runs it.
  bool done = false;
  Timer once(1, [&](Timer& timer) {
    timer.setEnabled(false);
    work();
    done = true;
  });
  d.clock().advance(1);
  d.settle();
  ASSERT_TRUE(done);
}

void SceneSession::SeatLineUp() {
  const std::int32_t appearances[3] = {0, 3, 4};
  for (int k = 0; k < 3; ++k) {
    ContestantRecord& who = game().Contestants[k];
    who.IsHuman = k == 0;
    who.IsReturningChampion = 0;
    who.CustomName[0] = '\0';
    who.Appearance = appearances[k];
    who.FirstNameIdx = 2 * k + 1;
    who.LastNameIdx = 5 * k + 2;
    who.OccupationIdx = 7 * k + 3;
    who.ResidenceIdx = 4 * k + 8;
    who.Role = 0;
    who.SelectedCell = -1;
    who.AnswerSlot = 0;
    for (int cell = 0; cell < kCellCount; ++cell) {
      who.CellValue[cell] = cell + 1;
      who.CellUsed[cell] = 0;
    }
  }
  const QuestionIndexRecord& q = game().QuestionIndex[17];
  game().QuestionTextRef = q.QuestionLine;
  game().AnswerIds[0] = q.WrongAnswers[0];
  game().AnswerIds[1] = q.RightAnswer;
  game().AnswerIds[2] = q.WrongAnswers[1];
  game().AnswerIds[3] = q.WrongAnswers[2];
  game().CorrectAnswerId = q.RightAnswer;
}

std::vector<std::string> SceneSession::LastSoundPlayed() const {
  if (services_->PlayedClips.empty()) return {};
  return services_->PlayedClips.back();
}

}  // namespace tvz::testing
