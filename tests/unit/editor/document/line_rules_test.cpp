// The rules the editor's panes share: labels, wrong times, typed text.
#include "editor/document/line_rules.h"

#include <gtest/gtest.h>

#include "editor/document/typed_text.h"

namespace korvix {
namespace {

TEST(LineRules, LabelsAndWrongTimes) {
  SubtitleClip clip;
  clip.names[1] = "Ann";
  clip.names[9] = "Tenth";
  clip.lines = {{0, 1000, "plain", 0},   {900, 1500, "named", 1}, {1500, 1500, "empty span", 0},
                {2000, 1800, "backwards", 42}, {3000, 4000, "last", -5}};
  const std::string labels[] = {"plain", "Ann: named", "empty span", "Tenth: backwards", "last"};
  // Line 0 runs into line 1; line 2 has no length; line 3 ends before it starts.
  const bool wrong[] = {true, false, true, true, false};
  for (size_t i = 0; i < clip.lines.size(); ++i) {
    EXPECT_EQ(line_label(clip, i), labels[i]) << i;
    EXPECT_EQ(line_is_wrong(clip, i), wrong[i]) << i;
  }
}

TEST(TypedText, PrefixesAndLimitsNeverCutACharacter) {
  struct Case {
    std::string_view before, typed;
    size_t limit;
    std::string_view kept;
  };
  const Case cases[] = {
      {"", "abcdef", 4, "abcd"},
      {"", "ab\xC3\xA9", 3, "ab"},                    // a two-byte character across the limit
      {"", "a\xE2\x82\xAC", 3, "a"},                  // a three-byte one
      {"", "\xF0\x9F\x99\x82x", 4, "\xF0\x9F\x99\x82"},  // a four-byte one, whole
      {"abcdef", "abcdefg", 4, "abcdef"},             // a longer text may not grow
      {"abcdef", "abcde", 4, "abcde"},                // but shrinks
      {"abc", "abc", 4, "abc"},
  };
  for (const Case& c : cases) EXPECT_EQ(limit_typed(c.before, c.typed, c.limit), c.kept) << c.typed;
}

}  // namespace
}  // namespace korvix
