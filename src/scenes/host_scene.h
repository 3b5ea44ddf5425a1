#pragma once
// The host scene: the show's host on the studio stage, with the caption of
// what the host says underneath. The host's voice is a separate sound started
// by whoever opens the scene; the scene plays the matching stretches of the
// host's animation "host.mm4" from a small queue, one after the other.
//
// Used after the contestant introductions (welcome, the host's name, "Let's
// begin."), before each commercial break, on the way back from a break and at
// the end of the show.
#include <array>
#include <cstdint>

#include "core/screens.h"
#include "platform/animate.h"
#include "platform/form.h"
#include "platform/label.h"
#include "platform/picture.h"

namespace tvz {

// The captions the host scene knows, and the openings of the line on the way
// back from a break (followed by the round's number word).
inline constexpr const char* kWelcomeCaption = "Welcome to Trivenza.";
inline constexpr const char* kHostNameCaption = "I'm your host, Corvin Ashdale.";
inline constexpr const char* kLetsBeginCaption = "Let's begin.";
inline constexpr const char* kRightBackCaption = "We'll be right back after these messages.";
inline constexpr const char* kThankYouCaption = "Thank you for joining us.";
inline constexpr const char* kGoodbyeCaption = "Be sure to tune in again for another Trivenza.";
inline constexpr const char* kOnWithRoundCaption = "Welcome back.  On with round ";
inline constexpr const char* kOnToRoundCaption = "Welcome back.  On to round ";
// "one.", "two.", "three." for rounds 1..3; "" for any other number.
const char* RoundWord(std::int32_t round);

// A stretch of the host's animation; first frame 0 = none.
struct HostStretch {
  std::uint16_t first = 0;
  std::uint16_t last = 0;
  bool empty() const { return first == 0; }
  bool operator==(const HostStretch&) const = default;
};

namespace host_stretches {
inline constexpr HostStretch kWelcome{1, 72};
inline constexpr HostStretch kRightBack{72, 105};
inline constexpr HostStretch kWelcomeBack{105, 119};
inline constexpr HostStretch kOnToRound{119, 134};
inline constexpr HostStretch kOnWithRound{134, 147};
inline constexpr HostStretch kRoundOne{147, 154};
inline constexpr HostStretch kRoundTwo{154, 159};
inline constexpr HostStretch kRoundThree{159, 165};
inline constexpr HostStretch kThankYou{165, 230};
}  // namespace host_stretches

class TCamera1 : public Form {
 public:
  TCamera1();

  Picture* BkgndImg;  // the studio, "cam1bknd.mm1"
  Label* CCLbl;       // the caption line
  Animate* HostAni;   // the host, over the host in the studio picture

  bool Animating = false;             // between the animation's start and stop
  std::int32_t WelcomeCounter = 0;    // lets the first caption step after showing pass
  std::array<HostStretch, 3> SegmentQueue{};

  // Loads the studio picture and reads the host's animation once, so that it
  // is read before it first plays. False (reported) when the picture fails;
  // the scene has closed then.
  bool LoadPictures();

  // The caption and animation step, once a frame while the scene is up: moves
  // the opening's captions on (welcome, the host's name, "Let's begin.") and
  // starts the next queued stretch when the host stands still.
  void CaptionStep();

  // On the way back from a break: the greeting, "on with round" (after the
  // break in the middle of round 1) or "on to round", then the round's number.
  void QueueReturnFromBreak(bool afterMidRoundBreak, std::int32_t round);

  void HostAniStart();
  void HostAniStop();

  void FormShow() override;
  void FormKeyDown(int& key, ShiftState shift) override;
  void FormClose(CloseAction& action) override;

 private:
  void PreReadAnimation();
};

}  // namespace tvz
