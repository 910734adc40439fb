// A clip's sound, decoded: interleaved float samples and the waveform overview
// the timeline draws from. Shared and never changed once published.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace korvix {

// The lowest and highest value of a stretch of frames, each frame the mean of
// its channels. Both start at 0, so the pair always spans 0.
struct SoundPeak {
  float min = 0;
  float max = 0;
  bool operator==(const SoundPeak&) const = default;
};

inline constexpr size_t sound_peak_slices = 4096;

struct DecodedSound {
  std::vector<float> samples;  // interleaved, `channels` per frame
  int channels = 1;            // at least 1
  int rate = 1;                // frames per second, at least 1
  uint64_t frames = 0;         // samples / channels
  // One pair per equal slice of the sound; all 0 for an empty sound.
  std::array<SoundPeak, sound_peak_slices> peaks{};

  double length_ms() const { return static_cast<double>(frames) * 1000.0 / rate; }
};

// The sound of these samples, its frame count and peaks computed. A channel
// count or rate below 1 counts as 1; a last frame cut short is dropped.
DecodedSound make_decoded_sound(std::vector<float> samples, int channels, int rate);

// The peak of frames begin .. end (not included), clamped to the sound.
SoundPeak range_peak(const DecodedSound& sound, uint64_t begin, uint64_t end);

// Frames floor(i × N / 4096) up to the larger of that + 1 and
// floor((i + 1) × N / 4096), and below N, for slice i.
uint64_t peak_slice_begin(uint64_t frames, size_t slice);
uint64_t peak_slice_end(uint64_t frames, size_t slice);

}  // namespace korvix
