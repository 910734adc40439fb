// The editor screen's texts: times in both forms, shortened sources, the
// reading-speed warning, the text size and list width limits, and soft wraps.
#include <gtest/gtest.h>

#include "editor/media/decoded_sound.h"
#include "editor/screen/editor_screen.h"
#include "editor/screen/screen_texts.h"
#include "editor/document/soft_wrap.h"

namespace korvix {
namespace {

TEST(ScreenTexts, TimesAreRoundedToHundredthsInThePreciseAndCoarseForms) {
  struct Case {
    double ms;
    const char* precise;
    const char* coarse;
  };
  const Case cases[] = {
      {0, "0.00", "0s"}, {-250, "0.00", "0s"}, {4, "0.00", "0s"},
      {5, "0.01", "0s"},  // half a hundredth rounds up
      {4200, "4.20", "4s"}, {59994.9, "59.99", "59s"},
      {59995, "1:00.00", "1:00"},  // the rounding carries into the minute
      {65204, "1:05.20", "1:05"}, {3725000, "62:05.00", "62:05"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(format_time(c.ms, true), c.precise) << c.ms;
    EXPECT_EQ(format_time(c.ms, false), c.coarse) << c.ms;
  }
}

TEST(ScreenTexts, TheTransportShowsTheSoundsOwnLengthOnceItIsDecoded) {
  SubtitleClip clip;
  clip.length_ms = 2000;
  const DecodedSound sound = make_decoded_sound(std::vector<float>(3500, 0.0f), 1, 1000);
  EXPECT_EQ(transport_time(1250, clip, nullptr), "1.25 / 2.00");
  EXPECT_EQ(transport_time(2750, clip, &sound), "2.75 / 3.50");
}

TEST(ScreenTexts, LongSourcesShowTheirLastBytesWithoutCuttingACharacter) {
  const std::string sixty(60, 'a');
  EXPECT_EQ(short_source(sixty), sixty);
  EXPECT_EQ(short_source("z" + sixty), "..." + std::string(57, 'a'));
  // The 57-byte cut falls inside "é": the tail starts after it.
  EXPECT_EQ(short_source(std::string(10, 'x') + "\xc3\xa9" + std::string(56, 'c')), "..." + std::string(56, 'c'));
}

TEST(ScreenTexts, OnlyLinesFasterThanTwentyCharactersASecondAreFlagged) {
  struct Case {
    uint32_t start, end;
    const char* words;
    std::optional<std::string> label;
  };
  const Case cases[] = {
      // 20 letters in a second: not over the limit.
      {0, 1000, "abcde fghij, klmno! pqrst", std::nullopt},
      {0, 1000, "abcde fghij klmno pqrst u", "21 cps"},
      // Punctuation and spaces don't count; digits do; 30 characters in 1.2 s = 25.
      {1000, 2200, "0123456789 -- abcdefghij ... KLMNOPQRST?", "25 cps"},
      // Characters beyond ASCII count once each, not per byte; dashes and quotes don't.
      {0, 500, "\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9 \xe2\x80\x94",
       "22 cps"},
      // A figure just over 20 is rounded up, never shown as "20 cps".
      {0, 1990, "abcdefghijklmnopqrstuvwxyzabcdefghijklmn", "21 cps"},
      // No span: nothing to measure.
      {1000, 1000, "words", std::nullopt},
      {2000, 1000, "words", std::nullopt},
  };
  for (const Case& c : cases) {
    SubtitleLine line{c.start, c.end, c.words, 0};
    EXPECT_EQ(fast_reading_label(line), c.label) << c.words;
    if (c.label) {
      EXPECT_EQ(fast_reading_tooltip(line),
                "Fast to read: " + c.label->substr(0, c.label->find(' ')) + " characters a second");
    }
  }
}

TEST(ScreenTexts, TextSizeAndListWidthStayInTheirRanges) {
  EXPECT_FLOAT_EQ(stepped_text_scale(3.0f, +1), 3.0f);
  EXPECT_FLOAT_EQ(stepped_text_scale(0.5f, -1), 0.5f);
  EXPECT_FLOAT_EQ(stepped_text_scale(1.0f, +1), 1.1f);
  EXPECT_FLOAT_EQ(stepped_text_scale(1.1f, -1), 1.0f);
  EXPECT_FLOAT_EQ(dragged_list_width(0.3f, 1280, 1280), 0.6f);
  EXPECT_FLOAT_EQ(dragged_list_width(0.3f, -1280, 1280), 0.12f);
}

TEST(SoftWrap, WordsBreakAtSpacesSoNoRowIsWiderThanTheField) {
  MeasureText one_unit_a_byte = [](std::string_view text) { return static_cast<float>(text.size()); };
  struct Case {
    const char* text;
    float width;
    const char* shown;
  };
  const Case cases[] = {
      {"tie the boat up", 100, "tie the boat up"}, {"tie the boat up", 8, "tie the\nboat up"},
      {"tie the boat up", 4, "tie\nthe\nboat\nup"},
      {"a enormously-long-word b", 5, "a\nenormously-long-word\nb"},  // a long word keeps its own row
      {"", 5, ""},
  };
  for (const Case& c : cases) {
    std::string text = c.text;
    apply_soft_breaks(text, soft_breaks(text, c.width, one_unit_a_byte));
    EXPECT_EQ(text, c.shown) << c.text << " at " << c.width;
    EXPECT_EQ(text.size(), std::string(c.text).size()) << "the cursor keeps its place";
  }
}

}  // namespace
}  // namespace korvix
