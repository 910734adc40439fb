// The recorder fixture: a program that notes its working folder and arguments in
// the file KORVIX_RECORD_FILE names and exits with KORVIX_RECORD_EXIT (3 unset).
#pragma once

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "platform/executable_path.h"
#include "state/state_test_support.h"

namespace korvix::test {

inline std::filesystem::path recorder_program() {
  return running_executable_path().parent_path() / KORVIX_RECORDER_NAME;
}

// One start of the recorder: where it ran and what it was given.
struct RecordedRun {
  std::string folder;
  std::vector<std::string> arguments;
};

inline std::vector<RecordedRun> read_recorded_runs(const std::filesystem::path& file) {
  std::vector<RecordedRun> runs;
  std::istringstream in(read_bytes(file));
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (line != "--") {
      lines.push_back(line);
      continue;
    }
    RecordedRun run;
    if (!lines.empty()) run.folder = lines.front();
    run.arguments.assign(lines.begin() + (lines.empty() ? 0 : 1), lines.end());
    runs.push_back(run);
    lines.clear();
  }
  return runs;
}

}  // namespace korvix::test
