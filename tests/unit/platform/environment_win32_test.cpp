#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/fonts.h"
#include "platform/environment.h"
#include "support/scoped_env.h"

namespace korvix {
namespace {

TEST(EnvironmentWin32, WideValuesArriveAsUtf8) {
  ScopedEnv restore("KORVIX_TEST_WIDE", std::nullopt);
  // An umlaut, katakana and a character outside the basic plane (a surrogate pair),
  // set through the wide call as any other program would.
  ASSERT_TRUE(SetEnvironmentVariableW(L"KORVIX_TEST_WIDE", L"C:\\Users\\J\u00f6rg\\\u30c6\u30b9\u30c8 \U0001F3AE"));
  EXPECT_EQ(env_var("KORVIX_TEST_WIDE"),
            "C:\\Users\\J\xc3\xb6rg\\\xe3\x83\x86\xe3\x82\xb9\xe3\x83\x88 \xf0\x9f\x8e\xae");
}

TEST(FontCandidatesWin32, AreInWindirsFontsFolder) {
  ScopedEnv windir("WINDIR", "D:\\W\xc3\xafn");
  std::vector<std::filesystem::path> fonts = font_candidates();
  ASSERT_EQ(fonts.size(), 3u);  // Windows has no further fallback
  EXPECT_EQ(fonts[0].wstring(), L"D:\\W\u00efn\\Fonts\\bahnschrift.ttf");
  EXPECT_EQ(fonts[1].wstring(), L"D:\\W\u00efn\\Fonts\\segoeuib.ttf");
  EXPECT_EQ(fonts[2].wstring(), L"D:\\W\u00efn\\Fonts\\arialbd.ttf");

  for (const std::optional<std::string>& missing : {std::optional<std::string>(), std::optional<std::string>("")}) {
    windir.set(missing);
    fonts = font_candidates();
    ASSERT_EQ(fonts.size(), 3u);
    EXPECT_EQ(fonts[0].wstring(), L"C:\\Windows\\Fonts\\bahnschrift.ttf");
  }
}

}  // namespace
}  // namespace korvix
