#include "menu/status_area.h"

#include <gtest/gtest.h>

#include "app/launcher_app.h"
#include "menu/menu_theme.h"

namespace korvix {
namespace {

float by_bytes(std::string_view text) { return static_cast<float>(text.size()); }

std::vector<std::string> texts_of(const std::vector<StatusText>& texts) {
  std::vector<std::string> out;
  for (const StatusText& text : texts) out.push_back(text.text);
  return out;
}

TEST(StatusTexts, FailedJobShowsItsErrorAndLogThenOutput) {
  MenuSnapshot snapshot;
  snapshot.job_state = job_failed;
  snapshot.log_path = "/logs/install.log";
  snapshot.output_tail = {"one", "two"};
  std::vector<StatusText> texts = status_texts({screen_main, "", ""}, snapshot, MenuFacts{});
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].text, "Failed.");
  EXPECT_EQ(texts[0].color, theme::warning);
  EXPECT_EQ(texts[1].text, "Full output: /logs/install.log");
  EXPECT_EQ(texts[2].kind, StatusKind::output);
  EXPECT_EQ(texts[2].lines, (std::vector<std::string>{"one", "two"}));
}

TEST(StatusTexts, ALogThatCouldntBeWrittenIsNoFullOutput) {
  MenuSnapshot snapshot;
  snapshot.job_state = job_stopped;
  snapshot.job_error = "Stopped.";
  snapshot.log_path = "/logs/install.log";
  snapshot.log_error = "Couldn't write the log /logs/install.log (No space left on device).";
  std::vector<StatusText> texts = status_texts({screen_main, "", ""}, snapshot, MenuFacts{});
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[1].text, snapshot.log_error);
  EXPECT_EQ(texts[1].color, theme::warning);
}

TEST(StatusTexts, SuccessTextFollowsTheJobKind) {
  MenuSnapshot snapshot;
  snapshot.job_state = job_succeeded;
  snapshot.job_is_install = true;
  EXPECT_EQ(status_texts({}, snapshot, {})[0].text, "Installed. Select Play.");
  snapshot.job_is_install = false;
  EXPECT_EQ(status_texts({}, snapshot, {})[0].text, "Updated. Select Play.");
  snapshot.job_subtitles = true;
  EXPECT_EQ(status_texts({}, snapshot, {})[0].text,
            "Subtitles made. Edit subtitles corrects the words and who says them.");
}

TEST(StatusTexts, MessageComesFirst) {
  MenuSnapshot snapshot;
  snapshot.job_state = job_running;
  snapshot.step = "Building korvix";
  std::vector<std::string> texts = texts_of(status_texts({screen_main, "Choose the disc image first.", ""}, snapshot, {}));
  ASSERT_GE(texts.size(), 2u);
  EXPECT_EQ(texts[0], "Choose the disc image first.");
  EXPECT_EQ(texts[1], "Building korvix");
}

TEST(StatusTexts, LatestCommitAndNewChangesOnTheChosenBranch) {
  MenuSnapshot snapshot;
  snapshot.branch = "main";
  snapshot.check_state = check_done;
  snapshot.latest_commit = {"0123456789abcdef0123456789abcdef01234567", "2026-12-01", "Faster shadows"};
  snapshot.new_commits = {"0123456  Faster shadows", "89abcde  Fix fog"};
  MenuFacts facts;
  facts.installed = true;
  std::vector<std::string> texts = texts_of(status_texts({screen_main, "", ""}, snapshot, facts));
  EXPECT_EQ(texts, (std::vector<std::string>{"Latest on main: 0123456 (2026-12-01)  Faster shadows",
                                             "New since this install:", "  0123456  Faster shadows",
                                             "  89abcde  Fix fog"}));
}

TEST(StatusTexts, AnInstallOfAnotherBranchCountsItsOwnChanges) {
  MenuSnapshot snapshot;
  snapshot.branch = "main";
  snapshot.check_state = check_done;
  snapshot.latest_commit = {"0123456789abcdef0123456789abcdef01234567", "2026-12-01", "m"};
  snapshot.ahead_by = 1;
  snapshot.new_commits = {"0123456  m"};
  MenuFacts facts;
  facts.installed = true;
  facts.on_chosen_branch = false;
  std::vector<std::string> texts = texts_of(status_texts({screen_main, "", ""}, snapshot, facts));
  ASSERT_EQ(texts.size(), 4u);
  EXPECT_EQ(texts[1], "This install has 1 change that main doesn't.");
  EXPECT_EQ(texts[2], "Newest on main:");
  snapshot.ahead_by = 3;
  EXPECT_EQ(texts_of(status_texts({screen_main, "", ""}, snapshot, facts))[1],
            "This install has 3 changes that main doesn't.");
}

TEST(StatusTexts, FailedCheckWithoutATextSaysGitHubWasUnreachable) {
  MenuSnapshot snapshot;
  snapshot.check_state = check_failed;
  MenuFacts facts;
  facts.installed = true;
  EXPECT_EQ(texts_of(status_texts({screen_main, "", ""}, snapshot, facts)),
            std::vector<std::string>{"Couldn't reach GitHub."});
}

TEST(StatusTexts, SubtitlesPageWithoutSubtitles) {
  MenuFacts facts;
  facts.installed = true;
  std::vector<StatusText> texts = status_texts({screen_subtitles, "", ""}, MenuSnapshot{}, facts);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].text, "No subtitles made yet.");
  EXPECT_EQ(texts[0].color, theme::accent);
  EXPECT_EQ(texts_of(status_texts({screen_subtitles, "", "12 lines"}, MenuSnapshot{}, facts))[0], "Made: 12 lines.");
}

TEST(PlaceStatusLines, StopsAboveTheLimit) {
  std::vector<StatusText> texts = {{StatusKind::wrapped, "aaaa bbbb cccc dddd", 0, {}},
                                   {StatusKind::clipped, "after", 0, {}}};
  // Width 9: "aaaa bbbb" / "cccc dddd"; room for two lines of 10 between 0 and 25.
  std::vector<PlacedLine> lines = place_status_lines(texts, 0, 25, 10, 9, by_bytes);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].text, "aaaa bbbb");
  EXPECT_EQ(lines[1].text, "cccc dddd");
  EXPECT_FLOAT_EQ(lines[1].y, 10);
}

TEST(PlaceStatusLines, OutputShowsTheNewestLinesThatFitNewestLast) {
  std::vector<StatusText> texts = {{StatusKind::clipped, "step", 0, {}},
                                   {StatusKind::output, "", 0, {"1", "2", "3", "4", "5"}}};
  // After "step" (0-10) and a gap of 3: room for lines at 13, 23, 33 below 45.
  std::vector<PlacedLine> lines = place_status_lines(texts, 0, 45, 10, 100, by_bytes);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[1].text, "3");
  EXPECT_EQ(lines[3].text, "5");
  EXPECT_FLOAT_EQ(lines[1].y, 13);
}

}  // namespace
}  // namespace korvix
