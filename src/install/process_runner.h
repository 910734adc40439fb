// Running outside programs: git, curl, tar, the install and tool scripts, the
// subtitle and icon makers.
//
// Each run starts one hidden child in a tree of its own (a job object on Windows,
// a process group elsewhere), hands its merged output to the caller one cleaned
// line at a time, waits for it and returns its exit code. Every run is listed in
// a process-wide record, through which Stop kills the long job's whole tree and
// the end of the program every tree.
#pragma once

#include <atomic>
#include <filesystem>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "platform/command_line.h"

namespace korvix {

using LineHandler = std::function<void(const std::string&)>;

// How a run ended. A child's exit code may be any number, negative ones included
// (Windows: exit -1, PowerShell's -196608 for a missing script, crash codes), so
// a start failure is told apart by its reason, never by the code.
struct RunResult {
  int exit_code = 1;        // the child's own code when it ran; 1 for a killed run
  std::string start_error;  // why it couldn't be started; empty when it ran
  bool output_cut = false;  // its output went beyond the caller's limit, and the run was ended there

  bool started() const { return start_error.empty(); }
  bool succeeded() const { return started() && exit_code == 0; }
};

class ProcessRunner {
 public:
  // Runs `args` to completion on the calling thread. A program that can't be
  // started gives "couldn't start X (error N)" (or "CreatePipe failed") as the
  // start error. Every non-empty output line goes through `clean_output_line` to
  // `line_handler`, on this thread, in output order; without a handler the output
  // is read and dropped. Once the child itself has ended, what it wrote that is
  // still in the pipe is taken (within the bounds of ChildProcess), then whatever
  // it left running is killed: a leftover that holds the pipe never holds the run.
  //
  // `job_cancel` marks a run of the long job: pass the job's `cancel_requested`.
  // Such a run is listed in the current-job record while its child runs, so
  // `cancel_running` reaches it, and a run whose flag is already set is not started
  // (or is killed at once), so a Stop between two of the job's runs is never lost.
  // A killed run, or one not started for a Stop, ends with exit code 1. Other runs
  // (update checks, editor fetches) pass nothing and never touch the record.
  static RunResult run(const std::vector<std::string>& args, const std::filesystem::path& working_folder,
                       const LineHandler& line_handler, const std::atomic<bool>* job_cancel = nullptr);

  // The same with the launcher's folder; `output` is emptied, then receives every
  // line followed by a line feed. Once the child has written more than
  // `output_limit` bytes, its tree is killed and the run ends with output_cut:
  // what a child may say is held in memory whole.
  static RunResult run_captured(const std::vector<std::string>& args, std::string& output,
                                const std::atomic<bool>* job_cancel = nullptr,
                                size_t output_limit = std::numeric_limits<size_t>::max());

  // Kills the tree of every running child of the long job (exit code 1). Does
  // nothing when none runs. Called from the interface thread by Stop, right after
  // it sets `cancel_requested`, and by shutdown.
  static void cancel_running();

  // At the end of the program: kills the tree of every running child, the
  // update checks' too (a curl would otherwise live on to its own time limit),
  // and of every child started from now on, since detached workers may still
  // start one. Not undone.
  static void end_all_runs();
};

// One raw output line made readable: terminal control sequences (ESC [ ... final
// byte) and lone escapes are dropped, a tab becomes four blanks, other control
// bytes are dropped, trailing blanks are removed. Bytes of 128 and above stay.
std::string clean_output_line(std::string_view raw);

// Splits a byte stream into raw lines: a carriage return or a line feed ends a
// line, and empty lines are never delivered. Memory is bounded by the longest line.
class LineSplitter {
 public:
  explicit LineSplitter(std::function<void(std::string_view)> on_line) : on_line_(std::move(on_line)) {}
  void feed(std::string_view bytes);
  // Delivers a last line that no line end closed.
  void finish();

 private:
  std::function<void(std::string_view)> on_line_;
  std::string pending_;
};

}  // namespace korvix
