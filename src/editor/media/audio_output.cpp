#include "editor/media/audio_output.h"

#include <SDL3/SDL.h>

#include <climits>

namespace korvix {

bool AudioOutput::open(int channels, int rate, std::string& error) {
  if (stream_ && channels == channels_ && rate == rate_) return true;
  close();
  if (!SDL_WasInit(SDL_INIT_AUDIO) && !SDL_InitSubSystem(SDL_INIT_AUDIO)) {
    error = std::string("No sound output: ") + SDL_GetError();
    return false;
  }
  const SDL_AudioSpec spec{SDL_AUDIO_F32, channels, rate};
  stream_ = SDL_OpenAudioDeviceStream(SDL_AUDIO_DEVICE_DEFAULT_PLAYBACK, &spec, nullptr, nullptr);
  if (!stream_) {
    error = std::string("No sound output: ") + SDL_GetError();
    return false;
  }
  channels_ = channels;
  rate_ = rate;
  SDL_ResumeAudioStreamDevice(stream_);
  return true;
}

void AudioOutput::close() {
  if (stream_) SDL_DestroyAudioStream(stream_);
  stream_ = nullptr;
  channels_ = 0;
  rate_ = 0;
}

void AudioOutput::put(std::span<const float> samples) {
  if (!stream_ || samples.empty() || samples.size_bytes() > INT_MAX) return;
  SDL_PutAudioStreamData(stream_, samples.data(), static_cast<int>(samples.size_bytes()));
}

uint64_t AudioOutput::queued_bytes() const {
  int queued = stream_ ? SDL_GetAudioStreamQueued(stream_) : 0;
  return queued > 0 ? static_cast<uint64_t>(queued) : 0;
}

void AudioOutput::clear() {
  if (stream_) SDL_ClearAudioStream(stream_);
}

void AudioOutput::flush() {
  if (stream_) SDL_FlushAudioStream(stream_);
}

void AudioOutput::set_ratio(float ratio) {
  if (stream_) SDL_SetAudioStreamFrequencyRatio(stream_, ratio);
}

}  // namespace korvix
