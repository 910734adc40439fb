// Reading one line of korvix.toml.
#include "settings/setting_line.h"

#include <gtest/gtest.h>

#include <string>

namespace korvix {
namespace {

struct LineCase {
  std::string line;
  bool found;
  std::string key;
  std::string value;
};

TEST(SettingLine, ReadsKeysAndValuesInEveryForm) {
  const LineCase cases[] = {
      {"fullscreen = true", true, "fullscreen", "true"},
      {"  native_fog=false   # fog off", true, "native_fog", "false"},
      {"\tkey\t=\tvalue\t\r", true, "key", "value"},
      {"frame_rate_limit = \"60\" # comment", true, "frame_rate_limit", "60"},
      {"resolution = \"  spaced out  \"", true, "resolution", "  spaced out  "},
      {"resolution = \"  no closing quote  ", true, "resolution", "  no closing quote"},
      {"resolution = \"", true, "resolution", ""},
      {"resolution = \"\"", true, "resolution", ""},
      {"resolution = \"\"\"", true, "resolution", ""},
      {"path = \"C:\\games\\\" tail", true, "path", "C:\\games\\"},  // no escapes
      {"value_is_comment = # nothing", true, "value_is_comment", ""},
      {"empty =", true, "empty", ""},
      {"a = b = c", true, "a", "b = c"},
      {"two words = x", true, "two words", "x"},
      {"Fullscreen = false", true, "Fullscreen", "false"},
      {"\"quoted key\" = 1", true, "\"quoted key\"", "1"},  // only values are unquoted
      // The form feed is no blank of the trimming set.
      {"\fkey = v", true, "\fkey", "v"},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(c.line);
    SettingLine parsed = parse_setting_line(c.line);
    EXPECT_EQ(parsed.found, c.found);
    EXPECT_EQ(parsed.key, c.key);
    EXPECT_EQ(parsed.value, c.value);
  }
}

TEST(SettingLine, CommentsHeadersAndKeylessLinesAreNoSettings) {
  for (const char* line : {"", "   \t\r", "# fullscreen = true", "   #fullscreen=true", "[graphics]",
                           "  [fullscreen = true]", "no equals sign", "= true", "   = true"}) {
    SCOPED_TRACE(line);
    EXPECT_FALSE(parse_setting_line(line).found);
  }
}

TEST(SettingLine, BytesOutsideTextAreCarriedThrough) {
  std::string nul_line("key = a\0b", 9);
  SettingLine parsed = parse_setting_line(nul_line);
  EXPECT_TRUE(parsed.found);
  EXPECT_EQ(parsed.value, std::string("a\0b", 3));

  parsed = parse_setting_line("k\xff\xfe = \xc3\x28");
  EXPECT_TRUE(parsed.found);
  EXPECT_EQ(parsed.key, "k\xff\xfe");
  EXPECT_EQ(parsed.value, "\xc3\x28");
}

}  // namespace
}  // namespace korvix
