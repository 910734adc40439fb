#include "platform/environment.h"

#include <gtest/gtest.h>

#include "support/scoped_env.h"

namespace korvix {
namespace {

TEST(Environment, UnsetIsNothingAndEmptyIsSet) {
  ScopedEnv variable("KORVIX_TEST_MAYBE", std::nullopt);
  EXPECT_EQ(env_var("KORVIX_TEST_MAYBE"), std::nullopt);
  EXPECT_FALSE(env_is_set("KORVIX_TEST_MAYBE"));
  EXPECT_EQ(env_or_empty("KORVIX_TEST_MAYBE"), "");

  variable.set("");
  EXPECT_EQ(env_var("KORVIX_TEST_MAYBE"), std::string());
  EXPECT_TRUE(env_is_set("KORVIX_TEST_MAYBE"));
}

TEST(Environment, LongValuesAreReadWhole) {
  ScopedEnv variable("KORVIX_TEST_LONG", std::nullopt);
  for (size_t length : {255u, 256u, 257u, 5000u}) {
    std::string value(length, 'x');
    value.back() = '!';
    variable.set(value);
    std::optional<std::string> read = env_var("KORVIX_TEST_LONG");
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->size(), length);
    EXPECT_EQ(read->back(), '!');
  }
}

TEST(Environment, Utf8ValuesComeBackUnchanged) {
  const std::string value = "/home/J\xc3\xb6rg/\xe3\x83\x86\xe3\x82\xb9\xe3\x83\x88 \xf0\x9f\x8e\xae";
  ScopedEnv variable("KORVIX_TEST_UTF8", value);
  EXPECT_EQ(env_var("KORVIX_TEST_UTF8"), value);
}

}  // namespace
}  // namespace korvix
