#pragma once
// The shared services of the main window: it owns the game record, the error
// log, the menu backdrop, the speech and click buffers and the seven lists,
// and offers the loaders and sound operations every screen calls through
// Services. The main window class derives from this.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "core/board_values.h"
#include "core/error_log.h"
#include "core/game_record.h"
#include "core/pack_bank.h"
#include "core/sound.h"
#include "platform/bitmap.h"

namespace tvz {

inline constexpr const char* kClickSoundFile = "click.mm3";
inline constexpr const char* kDirectDrawErrorKind = "DirectDraw Error";

class TvzServices : public GameRecord {
 public:
  struct Hooks {
    // Closes the main window (the program ends). Recorded by the services too.
    std::function<void()> closeMainWindow;
    // An error box; empty = the desktop's system-modal box with the
    // application title as caption.
    std::function<void(const std::string& text)> showErrorBox;
  };

  // The constructor's part of a fresh run: defaults, and no "error.log" left
  // from the last run.
  explicit TvzServices(Hooks hooks = {});
  virtual ~TvzServices();
  TvzServices(const TvzServices&) = delete;
  TvzServices& operator=(const TvzServices&) = delete;

  // Creation after the display is set up: name lists, question bank, click
  // sound. False when the program must end (the main window has been closed).
  bool CreateServices();
  // The display could not be set up: "DirectDraw Error" with the result code
  // at location 10, 15 or 20; the main window is closed.
  void ReportDisplayFailure(std::int32_t location, std::uint32_t code);
  // Destruction: play mode off, the pending error shown, everything freed.
  void DestroyServices();

  // --- Error reporting ---
  void ReportError(const std::string& message, std::int32_t location);
  void ReportFileError(const std::string& message, const std::string& fileName,
                       std::int32_t location);
  std::string ReportDirectXError(const std::string& kind, std::int32_t code, std::int32_t location);

  // --- Media ---
  bool LoadPicture(const std::string& fileName, Bitmap& bitmap);
  void Unscramble(std::vector<std::uint8_t>& stream, int startKey, std::size_t count, int step);
  std::string DescrambleText(const std::string& text, int startKey, int step);

  // --- Sound and speech ---
  bool PlayStream(const SoundBuffer& stream);
  bool LoadSound(SoundBuffer& stream, const std::string& file);
  bool AppendSound(SoundBuffer& stream, const std::string& file);
  bool AppendSoundSpan(SoundBuffer& stream, const std::string& file, std::int32_t toMs,
                       std::int32_t fromMs);
  std::int32_t MixSound(SoundBuffer& stream, const std::string& file, float gain, std::int32_t atMs);
  void ScaleVolume(SoundBuffer& stream, std::int32_t fromMs, std::int32_t toMs, float factor);

  // --- The game board, as the saved games reach it (the show plugs in) ---
  // The running board's values, written into a save. Unset: a show's start.
  std::function<BoardValues()> CurrentBoardValues;
  // Closes the board of the show under way and the scenes it has open, if
  // any, and builds a new board that continues a loaded game at its saved
  // step; the record already holds the loaded game. False when no board could be made (reported where it
  // failed). It must leave the in-game menu alive: the load screen it owns is
  // still running. Until the show sets it: "Insufficent memory or resources
  // available" at 2630, false.
  std::function<bool(const BoardValues&)> ContinueLoadedGame;

  // The first edition's questions as the bank files gave them at start: the
  // record's bank is another pack's while a show of that pack runs.
  PackBank FirstEdition;

  Bitmap Backdrop;
  SoundBuffer VoiceStream;
  SoundBuffer ClickSound;

  // For tests: the clip files of the sounds played lately (or that would
  // have played with sound off), oldest first. Only the last
  // kPlayedClipsKept are kept: a show plays thousands of lines.
  static constexpr std::size_t kPlayedClipsKept = 512;
  std::deque<std::vector<std::string>> PlayedClips;
  // The show's transcript: every caption the show has put up (on the board or
  // under the host), oldest first, empty captions left out. Only the last
  // kShownCaptionsKept are kept; a show of three rounds fits.
  static constexpr std::size_t kShownCaptionsKept = 4096;
  std::deque<std::string> ShownCaptions;
  void RecordCaption(const std::string& caption);
  // True once anything asked the main window to close.
  bool MainWindowClosed() const { return closeRequested_; }

 protected:
  // Closing the main window ends the program.
  void CloseMainWindow();

 private:
  void FillNameLists();
  void ShowBox(const std::string& text);

  Hooks hooks_;
  ErrorLog log_;
  bool closeRequested_ = false;
};

// The services of the running game as every screen reaches them: the main
// window, seen from below it. A services object registers itself here when
// it is made and leaves when it goes; null when there is none.
extern TvzServices* Services;

}  // namespace tvz
