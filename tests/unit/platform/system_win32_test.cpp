#include <windows.h>

#include <gtest/gtest.h>

#include <cwctype>

#include "platform/executable_path.h"
#include "platform/system_error.h"
#include "platform/text_win32.h"

namespace korvix {
namespace {

TEST(ExecutablePathWin32, NamesThisTestProgram) {
  std::filesystem::path self = running_executable_path();
  ASSERT_FALSE(self.empty());
  EXPECT_TRUE(self.is_absolute()) << self.string();
  std::wstring name = self.filename().wstring();
  for (wchar_t& c : name) c = static_cast<wchar_t>(std::towlower(c));
  EXPECT_EQ(name, L"unit_tests.exe");
  EXPECT_TRUE(std::filesystem::is_regular_file(self));
}

TEST(SystemErrorWin32, IsTheSystemsOneLineText) {
  std::string text = system_error_text(ERROR_FILE_NOT_FOUND);
  ASSERT_FALSE(text.empty());
  EXPECT_NE(text, "error 2");
  EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << text;
  EXPECT_NE(text.back(), '.');
  EXPECT_NE(text.back(), ' ');
  // Every text is one line, whatever the system's message table holds.
  for (unsigned long code = 0; code < 2000; ++code) {
    std::string line = system_error_text(code);
    ASSERT_FALSE(line.empty());
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << code << ": " << line;
    EXPECT_NE(line.back(), '.') << code;
  }
  // A code the system has no text for still gives a line.
  EXPECT_EQ(system_error_text(0x2FFFFFFF), "error 805306367");
}

TEST(TextWin32, ConvertsBothWaysIncludingSurrogatePairs) {
  const std::string utf8 = "J\xc3\xb6rg \xe3\x83\x86 \xf0\x9f\x8e\xae.iso";
  const std::wstring utf16 = L"J\u00f6rg \u30c6 \U0001F3AE.iso";
  EXPECT_EQ(widen(utf8), utf16);
  EXPECT_EQ(narrow(utf16), utf8);
  EXPECT_EQ(widen(""), L"");
  EXPECT_EQ(narrow(L""), "");
  // Embedded zero bytes are text like any other.
  EXPECT_EQ(widen(std::string("a\0b", 3)), std::wstring(L"a\0b", 3));
}

}  // namespace
}  // namespace korvix
