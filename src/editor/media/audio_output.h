// The editor's sound output: one SDL audio stream on the default playback
// device, in float frames of the current sound's channel count and rate.
#pragma once

#include <string>

#include "editor/media/sound_transport.h"

struct SDL_AudioStream;

namespace korvix {

class AudioOutput final : public AudioSink {
 public:
  AudioOutput() = default;
  ~AudioOutput() { close(); }
  AudioOutput(const AudioOutput&) = delete;
  AudioOutput& operator=(const AudioOutput&) = delete;

  // Keeps the open stream when it has this channel count and rate; otherwise
  // opens a new one (starting SDL's audio first when needed) and resumes its
  // device. On failure "No sound output: " and SDL's reason.
  bool open(int channels, int rate, std::string& error);
  // The stream is destroyed and its channel count and rate forgotten.
  void close();
  bool is_open() const { return stream_ != nullptr; }

  // Without a stream these do nothing (and nothing is queued).
  void put(std::span<const float> samples) override;
  uint64_t queued_bytes() const override;
  void clear() override;
  void flush() override;
  void set_ratio(float ratio) override;

 private:
  SDL_AudioStream* stream_ = nullptr;
  int channels_ = 0;
  int rate_ = 0;
};

}  // namespace korvix
