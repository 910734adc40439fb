#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/fonts.h"
#include "platform/environment.h"

namespace korvix {
namespace {

// Sets a variable in the process environment for one test and restores it after.
class ScopedVariable {
 public:
  explicit ScopedVariable(const wchar_t* name) : name_(name) {
    DWORD length = GetEnvironmentVariableW(name, nullptr, 0);
    if (length > 0) {
      saved_.resize(length);
      saved_.resize(GetEnvironmentVariableW(name, saved_.data(), length));
      had_value_ = true;
    }
  }
  ~ScopedVariable() { SetEnvironmentVariableW(name_, had_value_ ? saved_.c_str() : nullptr); }
  void set(const wchar_t* value) { ASSERT_TRUE(SetEnvironmentVariableW(name_, value)); }

 private:
  const wchar_t* name_;
  std::wstring saved_;
  bool had_value_ = false;
};

TEST(EnvironmentWin32, WideValuesArriveAsUtf8) {
  ScopedVariable variable(L"KORVIX_TEST_WIDE");
  // An umlaut, katakana and a character outside the basic plane (a surrogate pair).
  variable.set(L"C:\\Users\\J\u00f6rg\\\u30c6\u30b9\u30c8 \U0001F3AE");
  EXPECT_EQ(env_var("KORVIX_TEST_WIDE"),
            "C:\\Users\\J\xc3\xb6rg\\\xe3\x83\x86\xe3\x82\xb9\xe3\x83\x88 \xf0\x9f\x8e\xae");
}

TEST(EnvironmentWin32, UnsetIsNothingAndEmptyIsSet) {
  ScopedVariable variable(L"KORVIX_TEST_MAYBE");
  variable.set(nullptr);
  EXPECT_EQ(env_var("KORVIX_TEST_MAYBE"), std::nullopt);
  EXPECT_FALSE(env_is_set("KORVIX_TEST_MAYBE"));
  EXPECT_EQ(env_or_empty("KORVIX_TEST_MAYBE"), "");

  variable.set(L"");
  EXPECT_EQ(env_var("KORVIX_TEST_MAYBE"), std::string());
  EXPECT_TRUE(env_is_set("KORVIX_TEST_MAYBE"));
}

TEST(EnvironmentWin32, LongValuesAreReadWhole) {
  ScopedVariable variable(L"KORVIX_TEST_LONG");
  for (size_t length : {255u, 256u, 257u, 5000u}) {
    std::wstring value(length, L'x');
    value.back() = L'!';
    variable.set(value.c_str());
    std::optional<std::string> read = env_var("KORVIX_TEST_LONG");
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->size(), length);
    EXPECT_EQ(read->back(), '!');
  }
}

TEST(FontCandidatesWin32, AreInWindirsFontsFolder) {
  ScopedVariable windir(L"WINDIR");
  windir.set(L"D:\\W\u00efn");
  std::vector<std::filesystem::path> fonts = font_candidates();
  ASSERT_EQ(fonts.size(), 3u);  // Windows has no further fallback
  EXPECT_EQ(fonts[0].wstring(), L"D:\\W\u00efn\\Fonts\\bahnschrift.ttf");
  EXPECT_EQ(fonts[1].wstring(), L"D:\\W\u00efn\\Fonts\\segoeuib.ttf");
  EXPECT_EQ(fonts[2].wstring(), L"D:\\W\u00efn\\Fonts\\arialbd.ttf");

  for (const wchar_t* missing : {static_cast<const wchar_t*>(nullptr), L""}) {
    windir.set(missing);
    fonts = font_candidates();
    ASSERT_EQ(fonts.size(), 3u);
    EXPECT_EQ(fonts[0].wstring(), L"C:\\Windows\\Fonts\\bahnschrift.ttf");
  }
}

}  // namespace
}  // namespace korvix
