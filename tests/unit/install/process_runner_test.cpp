// ProcessRunner with real child processes: the test child program prints, exits,
// sleeps and starts grandchildren on demand.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "install/process_runner.h"
#include "platform/executable_path.h"
#include "platform/paths.h"
#include "process_probe.h"

namespace korvix {
namespace {

using Lines = std::vector<std::string>;

std::string child_tool() { return to_utf8(running_executable_path().parent_path() / KORVIX_CHILD_TOOL_NAME); }

struct Result {
  int exit_code = 0;
  Lines lines;
  std::string error;
  bool started = false;
};

Result run_tool(std::vector<std::string> args, const std::filesystem::path& folder = {}) {
  args.insert(args.begin(), child_tool());
  Result result;
  RunResult run = ProcessRunner::run(args, folder, [&](const std::string& line) { result.lines.push_back(line); });
  result.exit_code = run.exit_code;
  result.error = run.start_error;
  result.started = run.started();
  return result;
}

TEST(ProcessRunner, DeliversCleanedLinesSplitAtCrAndLf) {
  Result result = run_tool({"print", R"(one\r\ntwo\n\nthree)"});
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.lines, (Lines{"one", "two", "three"}));

  result = run_tool({"print", R"(\e[32mOK\e[0m  \r\na\tb\n10%\r20%\r)"});
  EXPECT_EQ(result.lines, (Lines{"OK", "a    b", "10%", "20%"}));
}

TEST(ProcessRunner, PassesBinaryBytesThroughWithoutConversion) {
  Result result = run_tool({"print", R"(a\x00b\x01\xc3\xa9\xff\x80\n)"});
  EXPECT_EQ(result.lines, (Lines{"ab\xC3\xA9\xFF\x80"}));
}

TEST(ProcessRunner, MergesOutputAndErrorsInWritingOrder) {
  EXPECT_EQ(run_tool({"both"}).lines, (Lines{"out 1", "err 2", "out 3"}));
}

TEST(ProcessRunner, ArgumentsReachTheChildExactly) {
  Lines args{"",       "two words", R"(quote"inside)", R"(trailing\)", R"(back\"quote)", R"(\\server\share\)",
             R"(a\b)", "  ",        "caf\xC3\xA9"};
  Lines expected;
  for (const std::string& arg : args) expected.push_back("<" + arg + ">");
  args.insert(args.begin(), "args");
  EXPECT_EQ(run_tool(args).lines, expected);
}

TEST(ProcessRunner, ReturnsTheChildsExitCode) {
  for (int code : {0, 1, 3, 42, 255}) {
    Result result = run_tool({"exit", std::to_string(code)});
    EXPECT_TRUE(result.started);
    EXPECT_EQ(result.exit_code, code);
  }
}

TEST(ProcessRunner, AMissingProgramIsReportedWithTheSystemsErrorNumber) {
  RunResult run = ProcessRunner::run({"korvix-no-such-program", "x"}, {}, nullptr);
  EXPECT_FALSE(run.started());
  EXPECT_FALSE(run.succeeded());
  EXPECT_EQ(run.start_error, "couldn't start korvix-no-such-program (error 2)");
  EXPECT_EQ(ProcessRunner::run({}, {}, nullptr).start_error, "couldn't start  (error 2)");
}

TEST(ProcessRunner, HonoursTheWorkingFolder) {
  // Its own name: test runs side by side (a sanitizer build's, another
  // checkout's) must not remove each other's folder.
  std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("korvix process folder " + std::to_string(std::random_device{}()));
  std::filesystem::create_directories(folder);
  Result result = run_tool({"cwd"}, folder);
  ASSERT_EQ(result.lines.size(), 1u);
  EXPECT_TRUE(std::filesystem::equivalent(path_from_utf8(result.lines[0]), folder));
  std::filesystem::remove(folder);

  result = run_tool({"cwd"}, folder);
  EXPECT_FALSE(result.started);
  EXPECT_EQ(result.error.rfind("couldn't start " + child_tool() + " (error ", 0), 0u) << result.error;
}

TEST(ProcessRunner, RunCapturedCollectsLinesWithLineFeeds) {
  std::string output = "old";
  EXPECT_TRUE(ProcessRunner::run_captured({child_tool(), "print", R"(a\r\nb)"}, output).succeeded());
  EXPECT_EQ(output, "a\nb\n");
}

TEST(ProcessRunner, RunCapturedEndsARunThatSaysTooMuch) {
  // 400,000 lines of 100 bytes, 40 MB, for a limit of 1 MiB.
  auto started = std::chrono::steady_clock::now();
  std::string output;
  RunResult run = ProcessRunner::run_captured({child_tool(), "lines", "400000", "100"}, output, nullptr, 1 << 20);
  EXPECT_TRUE(run.output_cut);
  EXPECT_TRUE(run.started());
  EXPECT_LE(output.size(), 1u << 20);
  EXPECT_GT(output.size(), 512u * 1024) << "what came before the limit is kept";
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(30)) << "the child was ended";

  RunResult within = ProcessRunner::run_captured({child_tool(), "lines", "1000", "100"}, output, nullptr, 1 << 20);
  EXPECT_FALSE(within.output_cut);
  EXPECT_TRUE(within.succeeded());
  EXPECT_EQ(output.size(), 101000u);
}

TEST(ProcessRunner, ManyLinesAndLongLinesArriveWhole) {
  size_t count = 0;
  std::string first, last;
  RunResult run = ProcessRunner::run({child_tool(), "lines", "1000000", "9"}, {}, [&](const std::string& line) {
    if (count++ == 0) first = line;
    last = line;
  });
  EXPECT_TRUE(run.succeeded());
  EXPECT_EQ(count, 1000000u);
  EXPECT_EQ(first, "axxxxxxxx");
  EXPECT_EQ(last, std::string(1, static_cast<char>('a' + 999999 % 26)) + "xxxxxxxx");

  Result result = run_tool({"lines", "3", "1048576"});
  ASSERT_EQ(result.lines.size(), 3u);
  for (const std::string& line : result.lines) EXPECT_EQ(line.size(), 1048576u);
  // Without a handler the output is read and dropped; the run still ends.
  EXPECT_TRUE(ProcessRunner::run({child_tool(), "lines", "100000", "50"}, {}, nullptr).succeeded());
}

TEST(ProcessRunnerCancel, DoesNothingWhenNothingRuns) {
  ProcessRunner::cancel_running();
  EXPECT_EQ(run_tool({"exit", "0"}).exit_code, 0);
}

// A run of the long job on its own thread, with the grandchild ids it printed.
class JobRun {
 public:
  explicit JobRun(std::vector<std::string> args) {
    args.insert(args.begin(), child_tool());
    thread_ = std::thread([this, args] {
      int code = ProcessRunner::run(
                     args, {},
                     [this](const std::string& line) {
                       std::lock_guard lock(mutex_);
                       // A grandchild's output may run into the line on its left.
                       size_t at = line.find("grandchild ");
                       if (at != std::string::npos) pids_.push_back(std::stol(line.substr(at + 11)));
                       changed_.notify_all();
                     },
                     &cancel_requested)
                     .exit_code;
      std::lock_guard lock(mutex_);
      exit_code_ = code;
      ended_ = true;
      changed_.notify_all();
    });
  }
  ~JobRun() {
    if (thread_.joinable()) thread_.join();
  }

  // Waits until both grandchildren have started (false if the run ended first).
  bool wait_for_grandchildren() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return pids_.size() == 2 || ended_; });
    return pids_.size() == 2;
  }

  // Waits for the run to end by itself. A run still going after `limit` is
  // stopped, so a broken runner fails the test instead of hanging it.
  bool ends_by_itself(std::chrono::seconds limit) {
    std::unique_lock lock(mutex_);
    if (changed_.wait_for(lock, limit, [this] { return ended_; })) return true;
    lock.unlock();
    stop();
    return false;
  }

  // What the menu's Stop does.
  void stop() {
    cancel_requested = true;
    ProcessRunner::cancel_running();
  }

  int join() {
    thread_.join();
    return exit_code_;
  }

  std::vector<long> pids() {
    std::lock_guard lock(mutex_);
    return pids_;
  }

  std::atomic<bool> cancel_requested{false};

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<long> pids_;
  bool ended_ = false;
  int exit_code_ = 0;
  std::thread thread_;
};

void expect_all_ended(const std::vector<long>& pids) {
  for (long pid : pids) EXPECT_TRUE(wait_for_process_end(pid)) << "process " << pid << " survived";
}

TEST(ProcessRunnerCancel, StopKillsTheWholeTree) {
  JobRun job({"tree", "3600", "sleep"});
  ASSERT_TRUE(job.wait_for_grandchildren());
  job.stop();
  EXPECT_EQ(job.join(), 1);
  expect_all_ended(job.pids());
}

TEST(ProcessRunner, AChildThatEndsWhileGrandchildrenHoldTheOutputEndsTheRun) {
  // A script that succeeded but left a server running: the run ends with the
  // script's code, without a Stop, and takes the server with it.
  JobRun job({"tree", "3600", "exit"});
  ASSERT_TRUE(job.ends_by_itself(std::chrono::seconds(30))) << "the run waited for the grandchildren";
  EXPECT_EQ(job.join(), 0);
  ASSERT_EQ(job.pids().size(), 2u) << "what the child wrote before it ended is taken";
  expect_all_ended(job.pids());
}

TEST(ProcessRunner, AGrandchildThatKeepsWritingAfterTheChildEndedDoesntHoldTheRun) {
  JobRun job({"spew"});
  ASSERT_TRUE(job.ends_by_itself(std::chrono::seconds(30))) << "the run read the leftover's output for ever";
  EXPECT_EQ(job.join(), 0);
  ASSERT_EQ(job.pids().size(), 1u);
  expect_all_ended(job.pids());
}

TEST(ProcessRunnerCancel, StopEndsTheRunEvenWhenGrandchildrenLeftTheTree) {
  // Grandchildren in a session of their own are out of reach of the kill, yet
  // hold the output open; the run must end all the same.
  JobRun job({"escape", "3600"});
  ASSERT_TRUE(job.wait_for_grandchildren());
  job.stop();
  EXPECT_EQ(job.join(), 1);
  for (long pid : job.pids()) end_process(pid);
  expect_all_ended(job.pids());
}

TEST(ProcessRunnerCancel, WhatAChildLeavesRunningDiesWithTheRun) {
  Result result = run_tool({"tree", "3600", "leave"});
  EXPECT_EQ(result.exit_code, 0);
  ASSERT_EQ(result.lines.size(), 2u);
  std::vector<long> pids;
  for (const std::string& line : result.lines) pids.push_back(std::stol(line.substr(11)));
  expect_all_ended(pids);
}

TEST(ProcessRunnerCancel, ShortRunsOverlappingTheJobDontHideIt) {
  JobRun job({"tree", "3600", "sleep"});
  ASSERT_TRUE(job.wait_for_grandchildren());

  // Two threads keep starting and ending short runs while Stop comes.
  std::atomic<bool> keep_going{true};
  std::atomic<int> runs{0};
  std::mutex failures_mutex;
  std::vector<std::string> failures;
  auto short_runs = [&] {
    while (keep_going) {
      Result result = run_tool({"print", R"(short\n)"});
      if (result.exit_code != 0 || result.lines != Lines{"short"}) {
        std::lock_guard lock(failures_mutex);
        failures.push_back("exit " + std::to_string(result.exit_code) + ", " + std::to_string(result.lines.size()) +
                           " lines, " + result.error);
      }
      ++runs;
    }
  };
  std::thread first(short_runs), second(short_runs);
  while (runs < 6) std::this_thread::yield();
  job.stop();
  EXPECT_EQ(job.join(), 1);
  keep_going = false;
  first.join();
  second.join();
  EXPECT_EQ(failures, std::vector<std::string>{});
  expect_all_ended(job.pids());
}

TEST(ProcessRunnerCancel, AJobRunAfterStopDoesNotStart) {
  std::atomic<bool> cancel_requested{true};
  Lines lines;
  RunResult run = ProcessRunner::run(
      {child_tool(), "print", R"(started\n)"}, {}, [&](const std::string& line) { lines.push_back(line); },
      &cancel_requested);
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_FALSE(run.succeeded());
  EXPECT_TRUE(lines.empty());
}

}  // namespace
}  // namespace korvix
