// A log that stops being written part-way: a full disk.
#include <gtest/gtest.h>

#include "install/progress_parser.h"

namespace korvix {
namespace {

TEST(ProgressParserPosix, ALogOnAFullDiskSaysSoAndTheLinesStillShow) {
  LauncherStatus status;
  status.job_state = job_running;
  open_job_log(status, "/dev/full");  // opens, and every write fails with ENOSPC
  EXPECT_EQ(status.log_error, "");
  ProgressParser::append_log(status, "first");
  ProgressParser::append_log(status, "second");
  EXPECT_EQ(status.log_error, "Couldn't write the log /dev/full (No space left on device).");
  EXPECT_EQ(status.output_tail.size(), 2u);
  ProgressParser::finish(status, outcome_failed, "The build failed (exit 1).");
  EXPECT_EQ(status.job_error, "The build failed (exit 1).");
}

}  // namespace
}  // namespace korvix
