#include "menu/text_fit.h"

#include <gtest/gtest.h>

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

TEST(WrapText, AWordWiderThanTheLineStaysWhole) {
  EXPECT_EQ(wrap_text("a verylongwordindeed b", 6, by_bytes), (Lines{"a", "verylongwordindeed", "b"}));
  EXPECT_EQ(wrap_text("verylongwordindeed", 6, by_bytes), Lines{"verylongwordindeed"});
}

TEST(WrapText, OnlyBlanksBreak) {
  EXPECT_EQ(wrap_text("path/with-no-blanks/at/all", 8, by_bytes), Lines{"path/with-no-blanks/at/all"});
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

}  // namespace
}  // namespace korvix
