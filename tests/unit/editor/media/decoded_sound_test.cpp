// The waveform overview: one (minimum, maximum) pair per equal slice.
#include "editor/media/decoded_sound.h"

#include <gtest/gtest.h>

namespace korvix::test {
namespace {

TEST(DecodedSound, ShortSoundsGiveEverySliceAFrameAndPeaksAlwaysSpanZero) {
  DecodedSound sound = make_decoded_sound({0.5f, -1.0f, 0.25f}, 1, 8000);
  EXPECT_EQ(sound.frames, 3u);
  // Slice i holds frame floor(i × 3 / 4096) alone.
  EXPECT_EQ(sound.peaks[0], (SoundPeak{0, 0.5f}));
  EXPECT_EQ(sound.peaks[1365], (SoundPeak{0, 0.5f}));
  EXPECT_EQ(sound.peaks[1366], (SoundPeak{-1, 0}));
  EXPECT_EQ(sound.peaks[2730], (SoundPeak{-1, 0}));
  EXPECT_EQ(sound.peaks[2731], (SoundPeak{0, 0.25f}));
  EXPECT_EQ(sound.peaks[4095], (SoundPeak{0, 0.25f}));
}

TEST(DecodedSound, ChannelsAreAveragedAndLongSoundsSliceEvenly) {
  // 8192 stereo frames: frame j is (j, -j/2) scaled, so its mean is j/4 scaled.
  std::vector<float> samples;
  const uint64_t frames = 2 * sound_peak_slices;
  for (uint64_t j = 0; j < frames; ++j) {
    float value = static_cast<float>(j) / frames;
    samples.insert(samples.end(), {value, -value / 2});
  }
  samples.push_back(0.9f);  // half a frame: dropped
  DecodedSound sound = make_decoded_sound(samples, 2, 0);
  EXPECT_EQ(sound.rate, 1);
  EXPECT_EQ(sound.channels, 2);
  EXPECT_EQ(sound.frames, frames);
  EXPECT_EQ(sound.samples.size(), 2 * frames);
  // Slice i is frames 2i and 2i + 1.
  for (size_t i : {size_t{0}, size_t{1}, size_t{2047}, size_t{4095}}) {
    EXPECT_FLOAT_EQ(sound.peaks[i].max, (2.0f * i + 1) / frames / 4) << i;
    EXPECT_EQ(sound.peaks[i].min, 0.0f) << i;
  }
  EXPECT_EQ(range_peak(sound, 8000, 99999), (SoundPeak{0, (8191.0f / frames) / 4}));
  EXPECT_EQ(range_peak(sound, 99999, 5), SoundPeak{});
}

}  // namespace
}  // namespace korvix::test
