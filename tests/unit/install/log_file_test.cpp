// A log's line index and its reads, against a plain split of small files made to
// cross the index's blocks in every way: short lines, lines of a block and more,
// CR LF ends, a last line without its line feed.
#include "install/log_file.h"

#include <gtest/gtest.h>

#include <random>

#include "install/log_marks.h"
#include "state/state_test_support.h"

namespace korvix {
namespace {

// The file's lines as a reader expects them: cut at each line feed, a CR before it dropped.
std::vector<std::string> split(const std::string& text) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < text.size()) {
    size_t feed = text.find('\n', at);
    std::string line = text.substr(at, (feed == std::string::npos ? text.size() : feed) - at);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line.substr(0, LogFile::line_bytes_limit));
    if (feed == std::string::npos) break;
    at = feed + 1;
  }
  return lines;
}

std::string lines_of(size_t count, size_t length) {
  std::string text;
  for (size_t i = 0; i < count; ++i) text += std::to_string(i) + std::string(length, 'x') + "\n";
  return text;
}

struct FileCase {
  const char* name;
  std::string text;
};

std::vector<FileCase> file_cases() {
  return {
      {"empty", ""},
      {"one line without a line feed", "only"},
      {"one line", "only\n"},
      {"empty lines", "\n\n\n"},
      {"CR LF ends", "a\r\nb\r\n\r\nc"},
      {"short lines over many blocks", lines_of(3000, 3)},
      {"a feed on a block's last byte", std::string(4095, 'a') + "\n" + "b\n" + std::string(5000, 'c') + "\nd"},
      {"lines longer than a block", lines_of(7, 9000)},
      {"a line longer than what is read of it", std::string(3 * LogFile::line_bytes_limit, 'q') + "\nafter\n"},
  };
}

class LogFileTest : public ::testing::Test {
 protected:
  LogFile open(const std::string& text) {
    test::write_bytes(path, text);
    LogFile file;
    EXPECT_TRUE(file.open(path)) << file.error();
    return file;
  }
  test::TempFolder temp;
  fs::path path = temp / "logs" / "install_20260101-120000.log";
};

TEST_F(LogFileTest, EveryLineReadsAsAPlainSplitGivesIt) {
  for (const FileCase& c : file_cases()) {
    SCOPED_TRACE(c.name);
    LogFile file = open(c.text);
    std::vector<std::string> expected = split(c.text);
    ASSERT_EQ(file.line_count(), expected.size());
    std::vector<std::string> lines;
    ASSERT_TRUE(file.read_lines(0, expected.size() + 5, lines));
    EXPECT_EQ(lines, expected);
    // A window that starts anywhere: each line on its own.
    for (size_t i = 0; i < expected.size(); i += 1 + expected.size() / 50) {
      ASSERT_TRUE(file.read_lines(i, 1, lines));
      ASSERT_EQ(lines, std::vector<std::string>{expected[i]}) << "line " << i;
    }
  }
}

TEST_F(LogFileTest, AnIndexFedInPiecesIsTheIndexOfTheWhole) {
  std::mt19937 random(7);
  for (const FileCase& c : file_cases()) {
    SCOPED_TRACE(c.name);
    LogIndex whole;
    whole.add(c.text);
    LogIndex pieces;
    for (size_t at = 0; at < c.text.size();) {
      size_t length = std::min<size_t>(c.text.size() - at, random() % 700);
      pieces.add(std::string_view(c.text).substr(at, length));
      at += length;
    }
    EXPECT_EQ(pieces.line_count(), whole.line_count());
    for (uint64_t line = 0; line < whole.line_count(); line += 97) {
      EXPECT_EQ(pieces.anchor_for(line).offset, whole.anchor_for(line).offset);
      EXPECT_LT(line - whole.anchor_for(line).line, LogIndex::block_bytes) << "an anchor within a block";
    }
  }
}

TEST_F(LogFileTest, FeedsAreCountedInEveryPosition) {
  std::mt19937 random(11);
  // Runs of line feeds long enough to fill the byte counters many times over.
  std::string bytes(9000, '\n');
  for (size_t i = 3000; i < bytes.size(); ++i) bytes[i] = random() % 5 == 0 ? '\n' : static_cast<char>(random() % 256);
  for (size_t start = 0; start < 16; ++start) {
    std::string_view part = std::string_view(bytes).substr(start);
    EXPECT_EQ(count_line_feeds(part), static_cast<size_t>(std::count(part.begin(), part.end(), '\n')));
  }
}

TEST_F(LogFileTest, ErrorsAreFoundForwardAndBackAsAPlainScanFindsThem) {
  // Errors spread over more than the mebibyte a backward search reads at once.
  std::string text;
  std::vector<uint64_t> errors;
  for (uint64_t i = 0; i < 40000; ++i) {
    if (i % 9973 == 5) {
      errors.push_back(i);
      text += "main.cpp(3): error C2065: 'x': undeclared identifier\n";
    } else {
      text.append(1, '[').append(std::to_string(i)).append("/40000] Building CXX object ").append(20, 'o') += '\n';
    }
  }
  LogFile file = open(text);
  auto is_error = [](std::string_view line) { return mark_of_line(line) == LineMark::error; };
  EXPECT_EQ(file.find_line(0, +1, is_error), errors.front());
  EXPECT_EQ(file.find_line(errors[1], +1, is_error), errors[1]) << "forwards counts the line it starts at";
  EXPECT_EQ(file.find_line(errors[1] + 1, +1, is_error), errors[2]);
  EXPECT_EQ(file.find_line(errors[3], -1, is_error), errors[2]) << "backwards doesn't";
  EXPECT_EQ(file.find_line(file.line_count(), -1, is_error), errors.back());
  EXPECT_EQ(file.find_line(errors.back() + 1, +1, is_error), std::nullopt);
  EXPECT_EQ(file.find_line(errors.front(), -1, is_error), std::nullopt);
}

TEST_F(LogFileTest, AGrowingLogIsFollowedAndAVanishedOneSaysSoInOneLine) {
  LogFile file = open("one\ntwo");  // the job is writing its second line
  EXPECT_EQ(file.line_count(), 2u);
  test::write_bytes(path, "one\ntwo three\nfour\n");
  ASSERT_TRUE(file.refresh());
  std::vector<std::string> lines;
  ASSERT_TRUE(file.read_lines(0, 10, lines));
  EXPECT_EQ(lines, (std::vector<std::string>{"one", "two three", "four"}));

  test::write_bytes(path, "new\n");  // rewritten shorter: indexed afresh
  ASSERT_TRUE(file.refresh());
  ASSERT_TRUE(file.read_lines(0, 10, lines));
  EXPECT_EQ(lines, std::vector<std::string>{"new"});

  fs::remove(path);
  EXPECT_FALSE(file.refresh());
  EXPECT_FALSE(file.read_lines(0, 10, lines));
  EXPECT_TRUE(file.error().starts_with("Couldn't read the log ")) << file.error();
  EXPECT_EQ(file.error().find('\n'), std::string::npos);

  fs::create_directories(path);  // a folder in its place is no log either
  LogFile folder;
  EXPECT_FALSE(folder.open(path));
  EXPECT_FALSE(folder.error().empty());
}

TEST_F(LogFileTest, TextForTheClipboardIsTheWholeLogOrItsEndFromALineStart) {
  LogFile file = open("first line\nsecond line\nthird line\n");
  std::string text;
  bool cut = true;
  ASSERT_TRUE(file.read_text(1000, text, cut));
  EXPECT_FALSE(cut);
  EXPECT_EQ(text, "first line\nsecond line\nthird line\n");
  ASSERT_TRUE(file.read_text(15, text, cut));
  EXPECT_TRUE(cut);
  EXPECT_EQ(text, "third line\n") << "no line begins part-way";
}

}  // namespace
}  // namespace korvix
