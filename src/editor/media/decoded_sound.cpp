#include "editor/media/decoded_sound.h"

#include <algorithm>

namespace korvix {

DecodedSound make_decoded_sound(std::vector<float> samples, int channels, int rate) {
  DecodedSound sound;
  sound.channels = std::max(channels, 1);
  sound.rate = std::max(rate, 1);
  sound.frames = samples.size() / static_cast<size_t>(sound.channels);
  samples.resize(sound.frames * static_cast<size_t>(sound.channels));
  sound.samples = std::move(samples);
  if (sound.frames > 0) {
    for (size_t i = 0; i < sound_peak_slices; ++i) {
      sound.peaks[i] = range_peak(sound, peak_slice_begin(sound.frames, i), peak_slice_end(sound.frames, i));
    }
  }
  return sound;
}

SoundPeak range_peak(const DecodedSound& sound, uint64_t begin, uint64_t end) {
  SoundPeak peak;
  end = std::min(end, sound.frames);
  begin = std::min(begin, end);
  const size_t channels = static_cast<size_t>(sound.channels);
  const float* frame = sound.samples.data() + begin * channels;
  for (uint64_t j = begin; j < end; ++j, frame += channels) {
    float sum = 0;
    for (size_t c = 0; c < channels; ++c) sum += frame[c];
    float value = sum / static_cast<float>(channels);
    peak.min = std::min(peak.min, value);
    peak.max = std::max(peak.max, value);
  }
  return peak;
}

uint64_t peak_slice_begin(uint64_t frames, size_t slice) { return slice * frames / sound_peak_slices; }

uint64_t peak_slice_end(uint64_t frames, size_t slice) {
  uint64_t end = std::max(peak_slice_begin(frames, slice) + 1, (slice + 1) * frames / sound_peak_slices);
  return std::min(end, frames);
}

}  // namespace korvix
