// Speaking a line of the show: the speech joined in the speech buffer and
// played, then the caption and the faces.
#include <string>

#include "core/services.h"
#include "scenes/host_scene.h"
#include "show/board.h"
#include "show/host_lines.h"

namespace tvz {

namespace {
constexpr std::int32_t kNoSuchContestantLocation = 815;

// Joins the clips into the speech buffer. A clip that cannot be loaded has
// been reported by the sound operation that tried.
bool ComposeSpeech(const SpokenLine& line) {
  SoundBuffer& speech = Services->VoiceStream;
  if (line.clips.empty() || !Services->LoadSound(speech, line.clips.front().file)) return false;
  for (std::size_t i = 1; i < line.clips.size(); ++i) {
    const ClipPiece& piece = line.clips[i];
    const bool joined = piece.toMs == 0
                            ? Services->AppendSound(speech, piece.file)
                            : Services->AppendSoundSpan(speech, piece.file, piece.toMs, piece.fromMs);
    if (!joined) return false;
  }
  for (const MixIn& mix : line.mixes)
    if (Services->MixSound(speech, mix.file, mix.gain, mix.atMs) == 0) return false;
  for (const VolumeRange& range : line.volumes)
    Services->ScaleVolume(speech, range.fromMs, range.toMs, range.factor);
  return true;
}

// The host scene's lines go under the host while it is up; should it not be
// (a saved game taken up again on the way back from a break), they go on the
// board so the words are still there.
void ShowCaption(const SpokenLine& line) {
  Services->RecordCaption(line.caption);
  if (line.target == CaptionTarget::HostScene && Camera1 && !Camera1->releasing()) {
    Camera1->CCLbl->setCaption(line.caption);
    if (Camera2) Camera2->SetCaption("");
    return;
  }
  if (Camera2) Camera2->SetCaption(line.caption);
}

void MoveFaces(const SpokenLine& line) {
  if (Camera2) {
    for (const FaceCue& cue : line.faces) {
      if (cue.needsReturn && cue.segments.size() == 1)
        Camera2->QueueReaction(cue.contestant, cue.segments.front());
      else
        Camera2->QueueFaces(cue.contestant, cue.segments);
    }
  }
  if (line.hostReturnsFromBreak && Camera1)
    Camera1->QueueReturnFromBreak(line.hostStretches.afterMidRoundBreak, line.hostStretches.round);
}
}  // namespace

bool SpeakLine(HostLine line, LineRequest request) {
  if (request.defender < 0 && Camera2) request.defender = Camera2->Defender;
  const SpokenLine spoken = BuildLine(*Services, line, request);
  if (!spoken.valid) {
    Services->ReportFileError("Damaged contestant record",
                              "Contestant " + std::to_string(std::int64_t{request.contestant} + 1),
                              kNoSuchContestantLocation);
    return false;
  }
  if (!ComposeSpeech(spoken) || !Services->PlayStream(Services->VoiceStream)) return false;
  ShowCaption(spoken);
  MoveFaces(spoken);
  return true;
}

}  // namespace tvz
