#include "core/services.h"

#include "core/media.h"
#include "core/name_table.h"
#include "core/pack_library.h"
#include "core/question_bank.h"
#include "core/scramble.h"
#include "core/settings.h"
#include "platform/desktop.h"
#include "platform/sound_output.h"

namespace tvz {

TvzServices* Services = nullptr;

TvzServices::TvzServices(Hooks hooks)
    : hooks_(std::move(hooks)),
      log_(PendingErrorText, ErrorLog::Hooks{[this](const std::string& text) { ShowBox(text); },
                                             [this] { CloseMainWindow(); }}) {
  ErrorLog::DeleteOldLog();
  // A new run reads the player's settings afresh.
  ForgetSettings();
  ContinueLoadedGame = [this](const BoardValues&) {
    ReportError(kMemoryError, 2630);
    return false;
  };
  Services = this;
}

TvzServices::~TvzServices() {
  if (Services == this) Services = nullptr;
}

void TvzServices::ShowBox(const std::string& text) {
  if (hooks_.showErrorBox)
    hooks_.showErrorBox(text);
  else
    showErrorBox(applicationTitle(), text);
}

void TvzServices::CloseMainWindow() {
  closeRequested_ = true;
  if (hooks_.closeMainWindow) hooks_.closeMainWindow();
}

void TvzServices::FillNameLists() {
  StringList* lists[] = {&FirstNamesEven, &FirstNamesOdd, &LastNames, &Occupations, &Residences};
  const int sizes[] = {12, 12, 24, 24, 24};
  int entry = 0;
  for (int list = 0; list < 5; ++list) {
    lists[list]->clear();
    for (int k = 0; k < sizes[list]; ++k, ++entry)
      lists[list]->push_back(
          tvz::DescrambleText(kScrambledNameTable[entry], kNameTableKey.start, kNameTableKey.step));
  }
}

bool TvzServices::CreateServices() {
  FillNameLists();
  // A bad bank ends the program, but the click sound is still loaded first.
  if (!LoadQuestionBankInto(log_, *this)) CloseMainWindow();
  FirstEdition = BankOf(*this);
  if (!LoadSound(ClickSound, kClickSoundFile)) {
    ReportFileError("Error loading file", kClickSoundFile, 50);
    CloseMainWindow();
  }
  return !closeRequested_;
}

void TvzServices::ReportDisplayFailure(std::int32_t location, std::uint32_t code) {
  ReportDirectXError(kDirectDrawErrorKind, static_cast<std::int32_t>(code), location);
  CloseMainWindow();
}

void TvzServices::DestroyServices() {
  PlayMode = 0;
  if (!PendingErrorText.empty()) ShowBox(PendingErrorText);
  Backdrop = Bitmap();
  for (StringList* list : {&QuestionTexts, &AnswerTexts, &Residences, &Occupations, &LastNames,
                           &FirstNamesOdd, &FirstNamesEven})
    list->clear();
  ClickSound = SoundBuffer();
  VoiceStream = SoundBuffer();
  FirstEdition = PackBank();
}

void TvzServices::ReportError(const std::string& message, std::int32_t location) {
  log_.ReportError(message, location);
}

void TvzServices::ReportFileError(const std::string& message, const std::string& fileName,
                                  std::int32_t location) {
  log_.ReportFileError(message, fileName, location);
}

std::string TvzServices::ReportDirectXError(const std::string& kind, std::int32_t code,
                                            std::int32_t location) {
  return log_.ReportDirectXError(kind, code, location);
}

bool TvzServices::LoadPicture(const std::string& fileName, Bitmap& bitmap) {
  return tvz::LoadPicture(log_, fileName, bitmap);
}

void TvzServices::Unscramble(std::vector<std::uint8_t>& stream, int startKey, std::size_t count,
                             int step) {
  tvz::Unscramble(stream.data(), stream.size(), startKey, count, step);
}

std::string TvzServices::DescrambleText(const std::string& text, int startKey, int step) {
  return tvz::DescrambleText(text, startKey, step);
}

bool TvzServices::PlayStream(const SoundBuffer& stream) {
  if (PlayedClips.size() == kPlayedClipsKept) PlayedClips.pop_front();
  PlayedClips.push_back(stream.clips);
  if (!SoundOn) return true;
  if (SoundOutput::instance().play(stream.bytes.data(), stream.bytes.size())) return true;
  ReportError("Unable to play sound", 2010);
  return false;
}

void TvzServices::RecordCaption(const std::string& caption) {
  if (caption.empty()) return;
  if (ShownCaptions.size() == kShownCaptionsKept) ShownCaptions.pop_front();
  ShownCaptions.push_back(caption);
}

bool TvzServices::LoadSound(SoundBuffer& stream, const std::string& file) {
  return tvz::LoadSound(log_, stream, file);
}

bool TvzServices::AppendSound(SoundBuffer& stream, const std::string& file) {
  return tvz::AppendSound(log_, stream, file);
}

bool TvzServices::AppendSoundSpan(SoundBuffer& stream, const std::string& file, std::int32_t toMs,
                                  std::int32_t fromMs) {
  return tvz::AppendSoundSpan(log_, stream, file, toMs, fromMs);
}

std::int32_t TvzServices::MixSound(SoundBuffer& stream, const std::string& file, float gain,
                                   std::int32_t atMs) {
  return tvz::MixSound(log_, stream, file, gain, atMs);
}

void TvzServices::ScaleVolume(SoundBuffer& stream, std::int32_t fromMs, std::int32_t toMs,
                              float factor) {
  tvz::ScaleVolume(stream, fromMs, toMs, factor);
}

}  // namespace tvz
