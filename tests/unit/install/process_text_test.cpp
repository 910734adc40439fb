// The text rules of child processes: the Windows command line, line cleaning and
// line splitting.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "install/process_runner.h"

namespace korvix {
namespace {

// Wide text from ASCII, so the expectations read the same on every platform.
std::wstring wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

TEST(QuoteCommandLine, QuotesEveryArgumentAndSeparatesWithOneBlank) {
  EXPECT_EQ(quote_command_line({"git", "status"}), wide(R"("git" "status")"));
  EXPECT_EQ(quote_command_line({"tar.exe", "-x f", ""}), wide(R"("tar.exe" "-x f" "")"));
  EXPECT_EQ(quote_command_line({""}), wide(R"("")"));
  EXPECT_EQ(quote_command_line({}), L"");
}

TEST(QuoteCommandLine, EscapesBackslashesOnlyWhereAQuoteFollows) {
  // One trailing backslash is doubled so the closing quote stays a quote.
  EXPECT_EQ(quote_command_line({R"(C:\Games\)"}), wide(R"("C:\Games\\")"));
  EXPECT_EQ(quote_command_line({R"(\\)"}), wide(R"("\\\\")"));
  // A quote gets one backslash; one backslash before it becomes three.
  EXPECT_EQ(quote_command_line({R"(say "hi")"}), wide(R"("say \"hi\"")"));
  EXPECT_EQ(quote_command_line({R"(a\"b)"}), wide(R"("a\\\"b")"));
  EXPECT_EQ(quote_command_line({R"(a\\"b)"}), wide(R"("a\\\\\"b")"));
  // Backslashes elsewhere are copied unchanged.
  EXPECT_EQ(quote_command_line({R"(\\server\share\a b\c)"}), wide(R"("\\server\share\a b\c")"));
}

TEST(QuoteCommandLine, ConvertsUtf8ToUtf16) {
  std::wstring accented = {L'"', 0x00E9, L'"'};
  EXPECT_EQ(quote_command_line({"\xC3\xA9"}), accented);
  std::wstring astral = {L'"', 0xD83D, 0xDE00, L'"'};
  EXPECT_EQ(quote_command_line({"\xF0\x9F\x98\x80"}), astral);
  // A byte that isn't UTF-8 (stray, truncated, overlong) becomes U+FFFD.
  std::wstring replaced = {L'"', L'a', 0xFFFD, L'b', 0xFFFD, 0xFFFD, L'"'};
  EXPECT_EQ(quote_command_line({"a\xFF"
                                "b\xC0\xAF"}),
            replaced);
  std::wstring truncated = {L'"', 0xFFFD, 0xFFFD, L'"'};
  EXPECT_EQ(quote_command_line({"\xE2\x82"}), truncated);
}

TEST(CleanOutputLine, DropsControlSequencesAndTrailingBlanks) {
  EXPECT_EQ(clean_output_line("\x1b[32mOK\x1b[0m  "), "OK");
  EXPECT_EQ(clean_output_line("\x1b[?25l\x1b[2K50%"), "50%");
  // Bytes of 128 and above never end a sequence.
  EXPECT_EQ(clean_output_line("\x1b[\xC3\xA9mZ"), "Z");
  // A sequence that the line cuts off takes the rest of the line.
  EXPECT_EQ(clean_output_line("ab\x1b[12;3"), "ab");
  // A lone escape goes by itself.
  EXPECT_EQ(clean_output_line("\x1bXa\x1b"), "Xa");
}

TEST(CleanOutputLine, TabsBecomeBlanksAndOtherControlsGo) {
  EXPECT_EQ(clean_output_line("a\tb"), "a    b");
  EXPECT_EQ(clean_output_line("x \t "), "x");
  EXPECT_EQ(clean_output_line("  indented"), "  indented");
  EXPECT_EQ(clean_output_line("plain   "), "plain");
  EXPECT_EQ(clean_output_line("   "), "");
  EXPECT_EQ(clean_output_line(std::string("a\0b\x07"
                                          "c\x7F",
                                          6)),
            "abc\x7F");
  EXPECT_EQ(clean_output_line("caf\xC3\xA9 \xE2\x9C\x93"), "caf\xC3\xA9 \xE2\x9C\x93");
  // A line that was all control bytes is still a line, now empty.
  EXPECT_EQ(clean_output_line("\x1b[0m"), "");
}

std::vector<std::string> split(const std::vector<std::string>& chunks) {
  std::vector<std::string> lines;
  LineSplitter splitter([&](std::string_view line) { lines.emplace_back(line); });
  for (const std::string& chunk : chunks) splitter.feed(chunk);
  splitter.finish();
  return lines;
}

TEST(LineSplitter, CrOrLfEndsALineAndEmptyLinesAreNeverDelivered) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(split({"one\r\ntwo\n\nthree"}), (Lines{"one", "two", "three"}));
  EXPECT_EQ(split({"10%\r20%\r30%\r\n"}), (Lines{"10%", "20%", "30%"}));
  EXPECT_EQ(split({"\r\n\n\r"}), Lines{});
  EXPECT_EQ(split({}), Lines{});
}

TEST(LineSplitter, LinesMayCrossChunks) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(split({"on", "e\r", "\ntw", "o", "\n", "thr", "ee"}), (Lines{"one", "two", "three"}));
  std::vector<std::string> bytes_one_by_one;
  for (char c : std::string("ab\r\ncd\ne")) bytes_one_by_one.emplace_back(1, c);
  EXPECT_EQ(split(bytes_one_by_one), (Lines{"ab", "cd", "e"}));
}

}  // namespace
}  // namespace korvix
