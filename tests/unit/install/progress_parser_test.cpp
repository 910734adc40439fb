#include "install/progress_parser.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "state/state_test_support.h"

namespace korvix {
namespace {

float range_start(std::string_view title) {
  const StepRange* row = find_step(title);
  return row ? row->from : -1.0f;
}

TEST(StepTable, LongerMarkersWinOverTheShorterOnesTheyBeginWith) {
  EXPECT_EQ(find_step("Getting the Quillax SDK (release-2024)")->marker, "Getting the Quillax SDK");
  EXPECT_EQ(find_step("Getting main from GitHub")->marker, "Getting ");
  EXPECT_EQ(find_step("Getting whisper.cpp v1.7")->marker, "Getting whisper.cpp");
  EXPECT_EQ(find_step("Building korvix (Release)")->marker, "Building korvix");
  EXPECT_EQ(find_step("Building the SDK")->marker, "Building the SDK");
  EXPECT_EQ(find_step("Building")->marker, "Building");
  EXPECT_EQ(find_step("Extracting the game and building (the first build takes a long time)")->marker,
            "Extracting the game");
  EXPECT_EQ(find_step("Extracting to C:\\Games")->marker, "Extracting to");
  EXPECT_EQ(find_step("Round 2 of 3")->marker, "Round");
  // Prefix only: a marker in the middle of a title, or a title shorter than the marker, matches nothing.
  EXPECT_EQ(find_step("Now Building korvix"), nullptr);
  EXPECT_EQ(find_step("Getting"), nullptr);
  EXPECT_EQ(find_step("Starting"), nullptr);
  EXPECT_FLOAT_EQ(range_start("Test run"), 0.95f);
}

TEST(StepTable, EveryMarkerIsReachableAndRangesStayInsideTheBar) {
  for (size_t i = 0; i < step_table.size(); ++i) {
    const StepRange& row = step_table[i];
    EXPECT_EQ(find_step(row.marker), &row) << row.marker << " is shadowed by an earlier row";
    EXPECT_LE(0.0f, row.from);
    EXPECT_LE(row.from, row.to);
    EXPECT_LE(row.to, 1.0f);
  }
}

TEST(BuildCount, ReadsOnlyAClosedPairOfNumbersAfterBlanks) {
  unsigned long n = 0, m = 0;
  EXPECT_TRUE(parse_build_count("[37/120] Compiling a.cpp", n, m));
  EXPECT_EQ(n, 37u);
  EXPECT_EQ(m, 120u);
  EXPECT_TRUE(parse_build_count("   \t[1/2]", n, m));
  EXPECT_FALSE(parse_build_count("x [1/2] Compiling", n, m));
  EXPECT_FALSE(parse_build_count("[1/2 Compiling", n, m));
  EXPECT_FALSE(parse_build_count("[1/2", n, m));
  EXPECT_FALSE(parse_build_count("[a/2]", n, m));
  EXPECT_FALSE(parse_build_count("[12]", n, m));
  EXPECT_FALSE(parse_build_count("", n, m));
}

class ParserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    status.fraction = 0.0f;
    status.job_state = job_running;
  }
  void open_log() { status.log_file.open(temp / "job.log", std::ios::out | std::ios::binary); }
  std::string log_text() const {
    std::ifstream in(temp / "job.log", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  test::TempFolder temp;
  LauncherStatus status;
};

TEST_F(ParserTest, StepsMoveTheBarForwardOnlyAndCountsMoveItInsideTheStep) {
  ProgressParser::handle_line(status, "==> Building korvix (Release)");
  EXPECT_EQ(status.step, "Building korvix (Release)");
  EXPECT_FLOAT_EQ(status.fraction, 0.49f);
  ProgressParser::handle_line(status, "[37/120] Compiling");
  EXPECT_FLOAT_EQ(status.fraction, 0.49f + 0.46f * 37.0f / 120.0f);
  float reached = status.fraction;
  ProgressParser::handle_line(status, "[5/120] Compiling");  // behind: no change
  ProgressParser::handle_line(status, "[0/0] nothing");
  ProgressParser::handle_line(status, "[121/120] too many");
  EXPECT_FLOAT_EQ(status.fraction, reached);
  ProgressParser::handle_line(status, "==> Getting the Quillax SDK");  // starts below: bar stays
  EXPECT_FLOAT_EQ(status.fraction, reached);
  EXPECT_FLOAT_EQ(status.step_from, 0.07f);
  ProgressParser::handle_line(status, "==> Something the table lacks");
  EXPECT_EQ(status.step, "Something the table lacks");
  EXPECT_FLOAT_EQ(status.step_from, 0.07f);
  EXPECT_FLOAT_EQ(status.step_to, 0.10f);
}

TEST_F(ParserTest, EmptyRangesIgnoreCountsAndEscapesAreCleaned) {
  ProgressParser::handle_line(status, "==> Extracting the game and building (the first build takes a long time)");
  ProgressParser::handle_line(status, "[5/10] unpacking");
  EXPECT_FLOAT_EQ(status.fraction, 0.02f);
  ProgressParser::handle_line(status, "\x1b[32m==> Building the SDK\x1b[0m\r");
  EXPECT_EQ(status.step, "Building the SDK");
  ProgressParser::handle_line(status, "\x1b[1m[1/1]\x1b[0m done\r");
  EXPECT_FLOAT_EQ(status.fraction, 0.35f);
  EXPECT_EQ(status.output_tail.back(), "[1/1] done");
}

TEST_F(ParserTest, TheTailKeeps500LinesAndTheLogAllOfThem) {
  open_log();
  for (int i = 1; i <= 501; ++i) ProgressParser::append_log(status, "line " + std::to_string(i));
  ASSERT_EQ(status.output_tail.size(), 500u);
  EXPECT_EQ(status.output_tail.front(), "line 2");
  EXPECT_EQ(status.output_tail.back(), "line 501");
  std::string log = log_text();  // flushed per line: readable while the job runs
  EXPECT_EQ(log.rfind("line 1\nline 2\n", 0), 0u);
  EXPECT_NE(log.find("\nline 501\n"), std::string::npos);
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 501);
}

TEST_F(ParserTest, StepsAreLoggedWithTwoEqualSigns) {
  open_log();
  ProgressParser::handle_line(status, "==> Round 1");
  ProgressParser::finish(status, outcome_succeeded, "");
  EXPECT_EQ(log_text(), "== Round 1\nFinished.\n");
  EXPECT_EQ(status.job_state, job_succeeded);
}

TEST_F(ParserTest, AStopWinsOverTheOutcomeTheFlowReports) {
  open_log();
  status.cancel_requested = true;
  ProgressParser::finish(status, outcome_failed, "Downloading the sources failed.");
  EXPECT_EQ(status.job_state, job_stopped);
  EXPECT_EQ(status.job_error, "Stopped.");
  EXPECT_EQ(log_text(), "Failed: Downloading the sources failed.\n");
  EXPECT_FALSE(status.log_file.is_open());
}

TEST_F(ParserTest, AFailureKeepsItsTextAndALogThatCannotOpenStillFeedsTheTail) {
  status.log_file.open(temp / "missing" / "job.log");
  ProgressParser::append_log(status, "still shown");
  ProgressParser::finish(status, outcome_failed, "The build failed (exit 5).");
  EXPECT_EQ(status.output_tail.back(), "still shown");
  EXPECT_EQ(status.job_state, job_failed);
  EXPECT_EQ(status.job_error, "The build failed (exit 5).");
}

TEST_F(ParserTest, ALogThatCantBeCreatedSaysWhyAndTheJobGoesOn) {
  test::write_bytes(temp / "logs", "a file where the logs folder should be");
  fs::path path = temp / "logs" / "install_1.log";
  open_job_log(status, path);
  EXPECT_EQ(status.log_path, path);
  std::string start = "Couldn't write the log " + to_utf8(path) + " (";
  EXPECT_TRUE(status.log_error.starts_with(start) && status.log_error.ends_with(").") &&
              status.log_error.size() > start.size() + 2)
      << status.log_error;
  ProgressParser::append_log(status, "still shown");
  ProgressParser::finish(status, outcome_succeeded, "");
  EXPECT_EQ(status.output_tail.back(), "still shown");
  EXPECT_EQ(status.job_state, job_succeeded);

  // The next job's log starts afresh.
  open_job_log(status, temp / "job.log");
  EXPECT_EQ(status.log_error, "");
  ProgressParser::append_log(status, "logged");
  EXPECT_EQ(log_text(), "logged\n");
}

}  // namespace
}  // namespace korvix
