#pragma once
// The desktop's sound player: plays a whole WAV image from memory,
// asynchronously, one sound at a time.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tvz {

class SoundOutput {
 public:
  // Opens the audio device lazily on first play. No device means silent play:
  // play() still succeeds, so the game runs as with sound.
  static SoundOutput& instance();

  // Copies the image (the caller may rewrite its buffer at once), stops the
  // sound playing and starts this one. PCM 16-bit mono at any rate is converted
  // to the device format. False when the image is not such a WAV.
  bool play(const std::uint8_t* wav, std::size_t size);
  void stopAll();
  bool playing() const;

  // For tests: every image played since the last clear, in order.
  const std::vector<std::vector<std::uint8_t>>& history() const;
  void clearHistory();
  void setRecordHistory(bool on);

  ~SoundOutput();

 private:
  SoundOutput();
  struct Impl;
  Impl* impl_;
};

}  // namespace tvz
