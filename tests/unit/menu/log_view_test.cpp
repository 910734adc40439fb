// The log screen's view: where it opens, how it follows a running job, what
// its error search and its text show, and how a held direction speeds up.
#include "menu/log_view.h"

#include <gtest/gtest.h>

#include "menu/log_text.h"
#include "state/state_test_support.h"

namespace korvix {
namespace {

class LogViewTest : public ::testing::Test {
 protected:
  LogViewTest() { view.set_page_lines(10); }

  void write(const std::string& text) { test::write_bytes(path, text); }
  static std::string lines(int first, int last) {
    std::string text;
    for (int i = first; i <= last; ++i) text += "line " + std::to_string(i) + "\n";
    return text;
  }

  test::TempFolder temp;
  fs::path path = temp / "install_20260101-120000.log";
  LogView view;
};

TEST_F(LogViewTest, AFailedJobOpensAtItsFirstErrorAnyOtherAtItsEnd) {
  write(lines(0, 29) + "a.cpp:1:2: error: first\n" + lines(31, 59) + "b.cpp:3:4: error: second\n" + lines(61, 99) +
        "Failed: The build failed (exit 1).\n");
  view.open(path, {});
  EXPECT_EQ(view.marked_line(), 30u);
  EXPECT_EQ(view.top(), 28u) << "a quarter page above it shows how it came";

  view.find_error(+1);
  EXPECT_EQ(view.marked_line(), 60u);
  view.find_error(+1);
  EXPECT_EQ(view.marked_line(), 100u) << "the launcher's own failure line";
  view.find_error(+1);
  EXPECT_EQ(view.message, "No error line below.");
  view.find_error(-1);
  EXPECT_EQ(view.marked_line(), 60u);

  write(lines(0, 99) + "Finished.\n");
  view.open(path, {});
  EXPECT_TRUE(view.at_end());
  EXPECT_EQ(view.top(), 91u);
  EXPECT_EQ(view.marked_line(), std::nullopt);
}

TEST_F(LogViewTest, NewLinesScrollInOnlyWhileTheEndIsInView) {
  fs::path running = path;
  write(lines(0, 19));
  view.open(path, {running, job_running});
  EXPECT_EQ(view.ending().describe(), "Running");
  write(lines(0, 24));
  view.refresh({running, job_running});
  EXPECT_EQ(view.top(), 15u) << "at the end, it follows";

  view.scroll_by(-5);
  write(lines(0, 40));
  view.refresh({running, job_running});
  EXPECT_EQ(view.top(), 10u) << "scrolled up, it stays";

  write(lines(0, 40) + "Failed: The build failed (exit 2).\n");
  view.refresh({running, job_failed});
  EXPECT_EQ(view.ending().describe(), "Failed: The build failed (exit 2).");

  fs::remove(path);
  view.refresh({running, job_failed});
  EXPECT_TRUE(view.shown_lines().empty());
  EXPECT_TRUE(view.error().starts_with("Couldn't read the log ")) << view.error();
}

TEST_F(LogViewTest, ShownLinesAreValidTextWithTheirMarks) {
  write("\tstep\nbad \xC3\x28 and \xF0\x9F\x98 cut\nwarning: careful\nfatal error: x.h not found\n");
  view.open(path, {});
  const std::vector<ShownLogLine>& shown = view.shown_lines();
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(shown[0].text, "    step");
  EXPECT_EQ(shown[1].text, "bad \xEF\xBF\xBD( and \xEF\xBF\xBD cut") << "one U+FFFD for each broken part";
  EXPECT_EQ(shown[2].mark, LineMark::warning);
  EXPECT_EQ(shown[3].mark, LineMark::error);
  EXPECT_EQ(shown[3].number, 3u);
}

TEST(LogText, InvalidUtf8BecomesReplacementCharacters) {
  const std::string r = "\xEF\xBF\xBD";
  struct Case {
    std::string bytes;
    std::string shown;
  };
  const Case cases[] = {
      {"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"},
      {"\xFF\xFE", r + r},
      {"\xC0\xAF", r + r},                 // an overlong slash
      {"\xED\xA0\x80", r + r + r},         // a surrogate
      {"\xF4\x90\x80\x80", r + r + r + r},  // past U+10FFFF
      {"\xE2\x82", r},                     // cut at the end
      {std::string("a\0b\x1B", 4), "a" + r + "b" + r},
  };
  for (const Case& c : cases) EXPECT_EQ(displayable_text(c.bytes), c.shown);
  EXPECT_EQ(displayable_text("a\tb\r\n\xFF", true), "a\tb\r\n" + r) << "the clipboard keeps tabs and line ends";
}

TEST(LogScroll, AHeldDirectionSpeedsUpToALimit) {
  EXPECT_EQ(scroll_step(0), 1);
  EXPECT_EQ(scroll_step(3), 1) << "the first repeats still go line by line";
  int64_t last = 1;
  for (int repeat = 1; repeat < 60; ++repeat) {
    EXPECT_GE(scroll_step(repeat), last);
    last = scroll_step(repeat);
  }
  EXPECT_GT(last, 30);
  EXPECT_LE(last, 64);
}

}  // namespace
}  // namespace korvix
