// Playing a decoded sound through an output that takes float frames: play from
// a time, keep the output fed a little ahead, loop a line, hear a short piece
// under the mouse when scrubbing, and tell what is being heard. Pure
// arithmetic over the AudioSink interface, so it is tested without a device.
//
// Every frame number is clamped into 0 .. N (the sound's frame count) before
// it is used: the timeline reaches past a short sound, and a line may end
// before it starts.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "editor/media/decoded_sound.h"

namespace korvix {

// Where sound goes: an output stream of float frames at the sound's rate and
// channel count.
class AudioSink {
 public:
  virtual void put(std::span<const float> samples) = 0;  // whole interleaved frames
  virtual uint64_t queued_bytes() const = 0;             // put but not yet played
  virtual void clear() = 0;                              // drops what is queued
  virtual void flush() = 0;                              // nothing follows for now: all of it plays out
  virtual void set_ratio(float ratio) = 0;               // playback speed, 1 = as recorded

 protected:
  ~AudioSink() = default;
};

struct FrameSpan {
  uint64_t start = 0;
  uint64_t end = 0;
  bool operator==(const FrameSpan&) const = default;
};

inline constexpr double play_end_margin_ms = 30;  // a playhead this near an end counts as at it
inline constexpr double scrub_length_ms = 85;
inline constexpr double queue_ahead_seconds = 0.12;
inline constexpr int feed_pieces_per_second = 25;  // 40 ms at a time

// The frame at `ms`, clamped into 0 .. N; and back.
uint64_t frame_at_ms(const DecodedSound& sound, double ms);
double ms_at_frame(const DecodedSound& sound, uint64_t frame);

// The stretch a line's loop repeats: its times clamped into the sound. None
// when the clamped span, end minus start counted with its sign, is no more
// than R / 20 frames (50 ms): such a line plays on as if looping were off.
std::optional<FrameSpan> loop_span(const DecodedSound& sound, double start_ms, double end_ms);

// Where play starts from the playhead: 0 at or after the sound's end minus
// 30 ms; then, looping, the loop's start when before it or at or after its end
// minus 30 ms.
double play_start_ms(const DecodedSound& sound, double playhead_ms, std::optional<FrameSpan> loop);

// The scrub sound at `ms`: min(85 ms, what is left) of frames, each multiplied
// by min(1, i / v, (count − 1 − i) / v), v = max(1, min(R / 200, count / 2)):
// 5 ms linear fades in and out.
std::vector<float> scrub_samples(const DecodedSound& sound, double ms);

class SoundTransport {
 public:
  bool playing() const { return playing_; }
  uint64_t position_frames() const { return position_; }

  // Starts playing at `ms` (clamped into the sound): clears the output, sets
  // the speed and queues the first sound at once.
  void start(const DecodedSound& sound, AudioSink& sink, double ms, float speed, std::optional<FrameSpan> loop);

  // Once a frame while playing: keeps about 0.12 s × max(speed, 1) queued, in
  // 40 ms pieces; a changed speed applies at once. Looping, a position outside
  // the loop jumps to its start; otherwise feeding stops at the end (the
  // output is flushed, so its last frames play too), and once all of it was
  // heard playing ends. True while still playing.
  bool feed(const DecodedSound& sound, AudioSink& sink, float speed, std::optional<FrameSpan> loop);

  // The time being heard: the position less what is still queued; just after
  // a loop's wrap, counted back from the loop's end.
  double heard_ms(const DecodedSound& sound, const AudioSink& sink, std::optional<FrameSpan> loop) const;

  // Playing ends and what is queued is dropped.
  void stop(AudioSink& sink);

  // Plays the scrub sound at `ms` at normal speed; playing stays off.
  void scrub(const DecodedSound& sound, AudioSink& sink, double ms);

 private:
  void apply_ratio(AudioSink& sink, float ratio);

  bool playing_ = false;
  uint64_t position_ = 0;  // the next frame to queue
  std::optional<float> ratio_;
};

}  // namespace korvix
