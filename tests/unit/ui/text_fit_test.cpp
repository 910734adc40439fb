#include "ui/text_fit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace korvix {
namespace {

// Every byte one unit wide, so widths are character counts.
float by_bytes(std::string_view text) { return static_cast<float>(text.size()); }

using Lines = std::vector<std::string>;

TEST(WrapText, BreaksAtTheLastBlankThatFits) {
  EXPECT_EQ(wrap_text("the quick brown fox", 10, by_bytes), (Lines{"the quick", "brown fox"}));
  EXPECT_EQ(wrap_text("the quick brown fox", 9, by_bytes), (Lines{"the quick", "brown fox"}));
  EXPECT_EQ(wrap_text("the quick brown fox", 8, by_bytes), (Lines{"the", "quick", "brown", "fox"}));
}

TEST(WrapText, ShortTextStaysOneLine) {
  EXPECT_EQ(wrap_text("fits", 10, by_bytes), Lines{"fits"});
  EXPECT_EQ(wrap_text("", 10, by_bytes), Lines{""});
}

TEST(WrapText, AWordWiderThanTheLineStaysAloneAsFarAsItShows) {
  // The word's line holds what the clip shows: the characters that begin inside the width.
  EXPECT_EQ(wrap_text("a verylongwordindeed b", 6, by_bytes), (Lines{"a", "verylon", "b"}));
  EXPECT_EQ(wrap_text("verylongwordindeed", 6, by_bytes), Lines{"verylon"});
}

TEST(WrapText, OnlyBlanksBreak) {
  // One line: no break at "/" or "-", and the clip shows its start.
  EXPECT_EQ(wrap_text("path/with-no-blanks/at/all", 8, by_bytes), Lines{"path/with"});
}

TEST(TruncateFront, KeepsTheEndWithDotsInFront) {
  EXPECT_EQ(truncate_front("/home/player/Games/KorvixVelarine", 100, by_bytes), "/home/player/Games/KorvixVelarine");
  EXPECT_EQ(truncate_front("/home/player/Games/KorvixVelarine", 18, by_bytes), ".../KorvixVelarine");
  EXPECT_EQ(truncate_front("/home/player/Games/KorvixVelarine", 17, by_bytes), "...KorvixVelarine");
  EXPECT_LE(truncate_front("abcdefghij", 6, by_bytes).size(), 6u);
  EXPECT_EQ(truncate_front("abcdefghij", 6, by_bytes), "...hij");
}

TEST(TruncateFront, NeverSplitsAUtf8Character) {
  // "ä" is two bytes; dropping one byte of it would leave invalid UTF-8.
  std::string text = "\xC3\xA4\xC3\xA4\xC3\xA4xyz";
  std::string cut = truncate_front(text, 8, by_bytes);
  EXPECT_EQ(cut, "...\xC3\xA4xyz");
}

TEST(TruncateFront, NothingFitsGivesTheDots) { EXPECT_EQ(truncate_front("abcdef", 2, by_bytes), "..."); }

// Long texts: every character one unit wide, whatever its bytes; the measure
// counts what it is asked, so a test sees how much fitting costs.
struct CountingMeasure {
  size_t calls = 0;
  size_t bytes = 0;
  MeasureText function() {
    return [this](std::string_view text) {
      ++calls;
      bytes += text.size();
      return static_cast<float>(std::count_if(text.begin(), text.end(), [](char c) { return !continues(c); }));
    };
  }
  static bool continues(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
};

std::string repeated(std::string_view piece, size_t times) {
  std::string text;
  for (size_t i = 0; i < times; ++i) text += piece;
  return text;
}

struct LongText {
  const char* name;
  std::string text;
};

std::vector<LongText> long_texts() {
  return {
      {"ASCII", repeated("abcdefghij", 600)},
      {"two-byte", repeated("\xC3\xA4", 6000)},
      {"three-byte", repeated("\xE2\x82\xAC", 6000)},
      {"four-byte", repeated("\xF0\x9F\x8E\xAE", 6000)},
      {"mixed", repeated("a\xC3\xA4\xE2\x82\xAC\xF0\x9F\x8E\xAE ", 1200)},
  };
}

TEST(TextFit, LongTextsAreCutInAFewShortMeasurements) {
  for (const LongText& long_text : long_texts()) {
    const std::string& text = long_text.text;
    for (float width : {0.0f, 2.5f, 3.0f, 7.0f, 40.0f, 200.0f}) {
      SCOPED_TRACE(std::string(long_text.name) + " at width " + std::to_string(width));
      CountingMeasure counter;
      MeasureText measure = counter.function();

      std::string front = truncate_front(text, width, measure);
      ASSERT_TRUE(front.starts_with("..."));
      std::string_view kept = std::string_view(front).substr(3);
      EXPECT_TRUE(text.ends_with(kept));
      EXPECT_TRUE(kept.empty() || !CountingMeasure::continues(kept.front())) << "a character was split";
      // As many characters as fit: one more would not.
      float shown = measure(front);
      EXPECT_TRUE(shown <= width || front == "...");
      if (width >= 3) {
        EXPECT_GT(shown + 1, width);
      }

      std::string_view visible = visible_part(text, width, measure);
      EXPECT_TRUE(text.starts_with(visible));
      EXPECT_TRUE(visible.size() == text.size() || !CountingMeasure::continues(text[visible.size()]));
      EXPECT_EQ(measure(visible), std::floor(width) + 1) << "every character that begins inside the width";

      std::vector<std::string> lines = wrap_text(text, width, measure);
      EXPECT_LE(lines.size(), wrapped_lines_limit);
      for (const std::string& line : lines) {
        EXPECT_TRUE(line.empty() || !CountingMeasure::continues(line.front()));
        EXPECT_LE(line.size(), fitted_bytes_limit);
        EXPECT_TRUE(measure(line) <= width || line.find(' ') == std::string::npos) << line;
      }

      // A text of 6,000 characters is measured a few times per line, never once
      // per character, and the measurements hold little more than what shows.
      EXPECT_LT(counter.calls, 2000u);
      EXPECT_LT(counter.bytes, 2u * 1024 * 1024);
    }
  }
}

TEST(TextFit, AMegabyteValueIsFittedFromItsEnd) {
  std::string value = repeated("0123456789", 100000) + "-end";
  CountingMeasure counter;
  EXPECT_EQ(truncate_front(value, 20, counter.function()), "...7890123456789-end");
  EXPECT_EQ(wrap_text(value, 20, counter.function()), Lines{value.substr(0, 21)});
  std::vector<std::string> words = wrap_text(repeated("word ", 200000), 20, counter.function());
  EXPECT_EQ(words.size(), wrapped_lines_limit);
  EXPECT_EQ(words.front(), "word word word word");
  EXPECT_LT(counter.bytes, 64u * 1024);

  // However wide the space, no line holds more than a line of the menu can show.
  EXPECT_EQ(visible_part(value, 1e9f, by_bytes).size(), fitted_bytes_limit);
  EXPECT_EQ(truncate_front(value, 1e9f, by_bytes), "..." + value.substr(value.size() - fitted_bytes_limit));
}

TEST(TextFit, AScreenfulKeepsBothEndsOfALongText) {
  std::string start = repeated("\xE2\x82\xAC", 20000);  // 60,000 bytes of three-byte characters
  std::string text = start + repeated("x", 1000000) + "\xF0\x9F\x8E\xAE-end";
  // The start up to the last whole character in 40 KiB, then the last 1 KiB.
  size_t head = wrapped_lines_limit * fitted_bytes_limit / 3 * 3;
  EXPECT_EQ(screenful(text), start.substr(0, head) + std::string(fitted_bytes_limit - 8, 'x') + "\xF0\x9F\x8E\xAE-end");
  EXPECT_EQ(screenful("short"), "short");
}

}  // namespace
}  // namespace korvix
