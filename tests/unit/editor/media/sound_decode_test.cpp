// Decoding WAV files through SDL into float samples and the waveform overview.
#include "editor/media/sound_decode.h"

#include <gtest/gtest.h>

#include "fixtures/subtitle_maker/stand_in_media.h"
#include "state/state_test_support.h"

namespace korvix::test {
namespace {

// A sine of four frames a period, so its samples are exactly 0, a, 0, -a: at
// half scale in the first half of the sound, at a quarter in the second. The
// second channel is half the first. 16384 frames make each slice one period.
double two_level_sine(uint64_t frame, int channel) {
  const double level = frame < 2 * sound_peak_slices ? 0.5 : 0.25;
  const double quarter[] = {0, 1, 0, -1};
  return level * quarter[frame % 4] * (channel == 0 ? 1.0 : 0.5);
}

TEST(SoundDecode, EightAndSixteenBitMonoAndStereoGiveTheSameKnownPeaks) {
  TempFolder temp;
  for (int bits : {8, 16}) {
    for (int channels : {1, 2}) {
      std::string what = std::to_string(bits) + " bits, " + std::to_string(channels) + " channels";
      fs::path wav = temp / (std::to_string(bits) + "-" + std::to_string(channels) + ".wav");
      write_bytes(wav, stand_in::wav_bytes(bits, channels, 8000, 4 * sound_peak_slices, two_level_sine));
      DecodedSound sound;
      std::string error;
      ASSERT_TRUE(decode_sound(wav, sound, error)) << what << ": " << error;
      EXPECT_EQ(sound.channels, channels) << what;
      EXPECT_EQ(sound.rate, 8000) << what;
      ASSERT_EQ(sound.frames, 4 * sound_peak_slices) << what;
      EXPECT_EQ(sound.samples[1 * channels], 0.5f) << what;
      EXPECT_EQ(sound.samples[3 * channels], -0.5f) << what;
      if (channels == 2) {
        EXPECT_EQ(sound.samples[3 * 2 + 1], -0.25f) << what;
      }

      // The mean of the channels: a, or (a + a/2) / 2.
      const float mean = channels == 1 ? 1.0f : 0.75f;
      for (size_t i = 0; i < sound_peak_slices; ++i) {
        float level = (i < sound_peak_slices / 2 ? 0.5f : 0.25f) * mean;
        ASSERT_EQ(sound.peaks[i], (SoundPeak{-level, level})) << what << ", slice " << i;
      }
    }
  }
}

TEST(SoundDecode, AWavWithoutFramesIsAnEmptySoundAndBadFilesSayWhy) {
  TempFolder temp;
  write_bytes(temp / "empty.wav", stand_in::wav_bytes(16, 2, 44100, 0, two_level_sine));
  DecodedSound sound;
  sound.frames = 99;
  std::string error;
  ASSERT_TRUE(decode_sound(temp / "empty.wav", sound, error)) << error;
  EXPECT_EQ(sound.frames, 0u);
  EXPECT_EQ(sound.channels, 2);
  EXPECT_EQ(sound.rate, 44100);
  for (const SoundPeak& peak : sound.peaks) ASSERT_EQ(peak, SoundPeak{});

  std::string whole = stand_in::wav_bytes(16, 1, 8000, 800, two_level_sine);
  write_bytes(temp / "text.wav", "not a sound at all");
  write_bytes(temp / "cut.wav", whole.substr(0, whole.size() / 2));
  for (const char* name : {"text.wav", "cut.wav", "missing.wav"}) {
    error.clear();
    EXPECT_FALSE(decode_sound(temp / name, sound, error)) << name;
    EXPECT_TRUE(error.starts_with("Couldn't read the sound: ") && error.size() > 26) << name << ": " << error;
  }
}

}  // namespace
}  // namespace korvix::test
