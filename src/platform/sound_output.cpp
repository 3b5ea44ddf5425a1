// The desktop's sound player on SDL audio: one WAV image at a time, played
// asynchronously from a private copy converted to the device's format.
#include "platform/sound_output.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>

namespace tvz {
namespace {

std::uint32_t readU32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t readU16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

// The samples of a WAV image the player accepts: PCM, 16-bit, one channel.
struct PcmView {
  const std::uint8_t* samples = nullptr;
  std::size_t bytes = 0;  // an even number
  int rate = 0;
};

// Walks the RIFF chunks of the image; every size is checked against the buffer.
bool parseWav(const std::uint8_t* wav, std::size_t size, PcmView* view) {
  if (!wav || size < 12 || std::memcmp(wav, "RIFF", 4) != 0 || std::memcmp(wav + 8, "WAVE", 4) != 0) {
    return false;
  }
  const std::uint64_t riffEnd = std::uint64_t{readU32(wav + 4)} + 8;
  if (riffEnd > size) return false;
  bool haveFormat = false;
  std::uint64_t pos = 12;
  while (pos + 8 <= riffEnd) {
    const std::uint8_t* header = wav + pos;
    const std::uint64_t length = readU32(header + 4);
    const std::uint64_t body = pos + 8;
    if (body + length > riffEnd) return false;
    if (std::memcmp(header, "fmt ", 4) == 0) {
      if (length < 16) return false;
      const std::uint8_t* fmt = wav + body;
      const bool pcm16Mono = readU16(fmt) == 1 && readU16(fmt + 2) == 1 && readU16(fmt + 14) == 16;
      view->rate = static_cast<int>(readU32(fmt + 4));
      if (!pcm16Mono || view->rate <= 0 || view->rate > 384000) return false;
      haveFormat = true;
    } else if (std::memcmp(header, "data", 4) == 0) {
      if (!haveFormat) return false;
      view->samples = wav + body;
      view->bytes = static_cast<std::size_t>(length & ~std::uint64_t{1});
      return true;
    }
    pos = body + length + (length & 1);  // chunks are word-aligned
  }
  return false;
}

struct AudioStreamDeleter {
  void operator()(SDL_AudioStream* s) const { SDL_FreeAudioStream(s); }
};

// Converts 16-bit mono samples to the device's format and rate.
bool convertSamples(const PcmView& pcm, const SDL_AudioSpec& device, std::vector<std::uint8_t>* out) {
  out->clear();
  if (pcm.bytes == 0) return true;
  std::unique_ptr<SDL_AudioStream, AudioStreamDeleter> stream(SDL_NewAudioStream(
      AUDIO_S16LSB, 1, pcm.rate, device.format, device.channels, device.freq));
  if (!stream) return false;
  if (SDL_AudioStreamPut(stream.get(), pcm.samples, static_cast<int>(pcm.bytes)) != 0 ||
      SDL_AudioStreamFlush(stream.get()) != 0) {
    return false;
  }
  out->resize(static_cast<std::size_t>(SDL_AudioStreamAvailable(stream.get())));
  const int got = SDL_AudioStreamGet(stream.get(), out->data(), static_cast<int>(out->size()));
  if (got < 0) return false;
  out->resize(static_cast<std::size_t>(got));
  return true;
}

}  // namespace

struct SoundOutput::Impl {
  std::mutex mutex;  // guards everything below but the fields the callback reads
  bool deviceTried = false;
  bool subsystemStarted = false;
  SDL_AudioDeviceID device = 0;
  SDL_AudioSpec spec{};
  bool recordHistory = false;
  std::vector<std::vector<std::uint8_t>> history;

  // Shared with the audio thread; changed only under SDL_LockAudioDevice.
  std::vector<std::uint8_t> sound;
  std::size_t position = 0;

  static void fill(void* userdata, Uint8* stream, int length) {
    auto* self = static_cast<Impl*>(userdata);
    const std::size_t wanted = static_cast<std::size_t>(length);
    const std::size_t left = self->sound.size() - self->position;
    const std::size_t copied = wanted < left ? wanted : left;
    if (copied) std::memcpy(stream, self->sound.data() + self->position, copied);
    std::memset(stream + copied, self->spec.silence, wanted - copied);
    self->position += copied;
  }

  // Opens the device the first time a sound plays. Without one the game runs
  // silently, as it does with sound switched off.
  void openDevice() {
    if (deviceTried) return;
    deviceTried = true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
      std::fprintf(stderr, "Sound is off: no audio (%s)\n", SDL_GetError());
      return;
    }
    subsystemStarted = true;
    SDL_AudioSpec wanted{};
    wanted.freq = 22050;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 1;
    wanted.samples = 1024;
    wanted.callback = &Impl::fill;
    wanted.userdata = this;
    device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &spec, SDL_AUDIO_ALLOW_ANY_CHANGE);
    if (device == 0) std::fprintf(stderr, "Sound is off: no audio device (%s)\n", SDL_GetError());
  }

  void replaceSound(std::vector<std::uint8_t>&& converted) {
    SDL_LockAudioDevice(device);
    sound.swap(converted);
    position = 0;
    SDL_UnlockAudioDevice(device);
    SDL_PauseAudioDevice(device, 0);
  }
};

SoundOutput& SoundOutput::instance() {
  static SoundOutput output;
  return output;
}

SoundOutput::SoundOutput() : impl_(new Impl) {}

SoundOutput::~SoundOutput() {
  if (impl_->device) SDL_CloseAudioDevice(impl_->device);
  if (impl_->subsystemStarted) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  delete impl_;
}

bool SoundOutput::play(const std::uint8_t* wav, std::size_t size) {
  PcmView pcm;
  if (!parseWav(wav, size, &pcm)) return false;
  std::lock_guard<std::mutex> lock(impl_->mutex);
  if (impl_->recordHistory) impl_->history.emplace_back(wav, wav + size);
  impl_->openDevice();
  if (!impl_->device) return true;
  std::vector<std::uint8_t> converted;
  if (!convertSamples(pcm, impl_->spec, &converted)) return false;
  impl_->replaceSound(std::move(converted));
  return true;
}

void SoundOutput::stopAll() {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  if (!impl_->device) return;
  std::vector<std::uint8_t> nothing;
  SDL_LockAudioDevice(impl_->device);
  impl_->sound.swap(nothing);
  impl_->position = 0;
  SDL_UnlockAudioDevice(impl_->device);
  SDL_PauseAudioDevice(impl_->device, 1);
}

bool SoundOutput::playing() const {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  if (!impl_->device) return false;
  SDL_LockAudioDevice(impl_->device);
  const bool busy = impl_->position < impl_->sound.size();
  SDL_UnlockAudioDevice(impl_->device);
  return busy;
}

const std::vector<std::vector<std::uint8_t>>& SoundOutput::history() const { return impl_->history; }

void SoundOutput::clearHistory() {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  impl_->history.clear();
}

void SoundOutput::setRecordHistory(bool on) {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  impl_->recordHistory = on;
}

}  // namespace tvz
