#include "editor/media/sound_transport.h"

#include <algorithm>
#include <cmath>

namespace korvix {

namespace {

uint64_t queued_frames(const DecodedSound& sound, const AudioSink& sink) {
  return sink.queued_bytes() / (sizeof(float) * static_cast<uint64_t>(sound.channels));
}

uint64_t loop_limit(const DecodedSound& sound, std::optional<FrameSpan> loop) {
  return loop ? loop->end : sound.frames;
}

}  // namespace

uint64_t frame_at_ms(const DecodedSound& sound, double ms) {
  double frame = std::floor(ms / 1000.0 * sound.rate);
  if (!(frame > 0)) return 0;  // NaN too
  if (frame >= static_cast<double>(sound.frames)) return sound.frames;
  return static_cast<uint64_t>(frame);
}

double ms_at_frame(const DecodedSound& sound, uint64_t frame) {
  return static_cast<double>(frame) * 1000.0 / sound.rate;
}

std::optional<FrameSpan> loop_span(const DecodedSound& sound, double start_ms, double end_ms) {
  FrameSpan span{frame_at_ms(sound, start_ms), frame_at_ms(sound, end_ms)};
  int64_t length = static_cast<int64_t>(span.end) - static_cast<int64_t>(span.start);
  if (length <= sound.rate / 20) return std::nullopt;
  return span;
}

double play_start_ms(const DecodedSound& sound, double playhead_ms, std::optional<FrameSpan> loop) {
  if (playhead_ms >= sound.length_ms() - play_end_margin_ms) playhead_ms = 0;
  if (loop) {
    double start = ms_at_frame(sound, loop->start);
    double end = ms_at_frame(sound, loop->end);
    if (playhead_ms < start || playhead_ms >= end - play_end_margin_ms) playhead_ms = start;
  }
  return playhead_ms;
}

std::vector<float> scrub_samples(const DecodedSound& sound, double ms) {
  uint64_t start = frame_at_ms(sound, ms);
  uint64_t count =
      std::min(static_cast<uint64_t>(sound.rate) * static_cast<uint64_t>(scrub_length_ms) / 1000, sound.frames - start);
  const size_t channels = static_cast<size_t>(sound.channels);
  std::vector<float> samples(sound.samples.begin() + static_cast<ptrdiff_t>(start * channels),
                             sound.samples.begin() + static_cast<ptrdiff_t>((start + count) * channels));
  double fade = std::max(1.0, std::min(sound.rate / 200.0, count / 2.0));
  for (uint64_t i = 0; i < count; ++i) {
    double gain = std::min({1.0, i / fade, (count - 1 - i) / fade});
    for (size_t c = 0; c < channels; ++c) samples[i * channels + c] *= static_cast<float>(gain);
  }
  return samples;
}

void SoundTransport::apply_ratio(AudioSink& sink, float ratio) {
  if (ratio_ == ratio) return;
  sink.set_ratio(ratio);
  ratio_ = ratio;
}

void SoundTransport::start(const DecodedSound& sound, AudioSink& sink, double ms, float speed,
                           std::optional<FrameSpan> loop) {
  sink.clear();
  ratio_.reset();  // set again, whatever the output was told meanwhile
  apply_ratio(sink, speed);
  position_ = frame_at_ms(sound, ms);
  playing_ = true;
  feed(sound, sink, speed, loop);
}

bool SoundTransport::feed(const DecodedSound& sound, AudioSink& sink, float speed, std::optional<FrameSpan> loop) {
  if (!playing_) return false;
  apply_ratio(sink, speed);
  const double target = sound.rate * queue_ahead_seconds * std::max(speed, 1.0f);
  const uint64_t queued = queued_frames(sound, sink);
  // Counted here rather than by asking the output again: an output that takes
  // nothing can't keep this loop going.
  uint64_t wanted = static_cast<double>(queued) < target ? static_cast<uint64_t>(std::ceil(target)) - queued : 0;
  const uint64_t piece = std::max(1, sound.rate / feed_pieces_per_second);
  const size_t channels = static_cast<size_t>(sound.channels);
  while (wanted > 0) {
    if (loop && (position_ >= loop->end || position_ < loop->start)) position_ = loop->start;
    uint64_t limit = loop_limit(sound, loop);
    if (position_ >= limit) break;
    uint64_t count = std::min({piece, limit - position_, wanted});
    sink.put(std::span<const float>(sound.samples.data() + position_ * channels, count * channels));
    position_ += count;
    wanted -= count;
    // An output that resamples holds the last frames back for what follows.
    if (!loop && position_ >= sound.frames) sink.flush();
  }
  if (!loop && position_ >= sound.frames && queued_frames(sound, sink) == 0) playing_ = false;
  return playing_;
}

double SoundTransport::heard_ms(const DecodedSound& sound, const AudioSink& sink, std::optional<FrameSpan> loop) const {
  const uint64_t queued = queued_frames(sound, sink);
  uint64_t heard = position_ > queued ? position_ - queued : 0;
  if (loop && position_ >= loop->start && position_ - loop->start < queued) {
    // What is queued reaches back across the wrap (more than once for a loop
    // shorter than the queue): count back from the loop's end.
    uint64_t length = loop->end - loop->start;
    uint64_t back = queued - (position_ - loop->start);
    heard = loop->end - ((back - 1) % length + 1);
  }
  return ms_at_frame(sound, std::min(heard, sound.frames));
}

void SoundTransport::stop(AudioSink& sink) {
  playing_ = false;
  sink.clear();
}

void SoundTransport::scrub(const DecodedSound& sound, AudioSink& sink, double ms) {
  playing_ = false;
  std::vector<float> samples = scrub_samples(sound, ms);
  sink.clear();
  apply_ratio(sink, 1.0f);
  sink.put(samples);
  sink.flush();
}

}  // namespace korvix
