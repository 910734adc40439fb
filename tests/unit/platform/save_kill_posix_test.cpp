// Kills during saves: a program that saves launcher.ini, korvix.toml,
// korvix.subtitles and groups.txt in a loop is killed (SIGKILL) at random
// moments, a few hundred times. After each kill every file must be exactly one
// whole version of the ones written, never a mix or a truncation, and the next
// run must save again whatever temporary files the killed one left.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <regex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/child_process.h"
#include "platform/executable_path.h"
#include "platform/file_read.h"
#include "platform/paths.h"
#include "save_loop/saved_versions.h"

namespace korvix {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// A sanitizer run, many times slower, sets fewer through KORVIX_SAVE_KILLS: it
// looks for memory errors in the savers, which a few dozen rounds reach.
int kill_count() {
  const char* given = std::getenv("KORVIX_SAVE_KILLS");
  return given && std::atoi(given) > 0 ? std::atoi(given) : 300;
}

// What the program printed: "saved N" once every file is at version N.
class LoopOutput {
 public:
  void take(const char* bytes, size_t size) {
    output_.append(bytes, size);
    for (size_t end; (end = output_.find('\n', parsed_)) != std::string::npos; parsed_ = end + 1) {
      std::string line = output_.substr(parsed_, end - parsed_);
      unsigned long version = 0;
      if (std::sscanf(line.c_str(), "saved %lu", &version) == 1) last_saved_ = static_cast<long>(version);
      if (line.starts_with("failed")) failed_ = true;
    }
  }
  const std::string& output() const { return output_; }
  long last_saved() const { return last_saved_; }  // -1 before the first
  bool failed() const { return failed_; }

 private:
  std::string output_;
  size_t parsed_ = 0;
  long last_saved_ = -1;
  bool failed_ = false;
};

std::string describe(const std::string& bytes) {
  return std::to_string(bytes.size()) + " bytes beginning " + bytes.substr(0, 60);
}

TEST(SaveKill, EveryFileIsOneWholeVersionAfterEachKill) {
  fs::path folder = fs::temp_directory_path() / ("korvix-save-kill-" + std::to_string(std::random_device{}()));
  fs::create_directories(folder);
  struct Cleanup {
    fs::path path;
    ~Cleanup() {
      std::error_code ignored;
      fs::remove_all(path, ignored);
    }
  } cleanup{folder};
  for (size_t file = 0; file < save_loop::file_names.size(); ++file) {
    std::FILE* out = std::fopen((folder / save_loop::file_names[file]).c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::string bytes = save_loop::expected_bytes(file, 0);
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
  }

  const unsigned seed = std::random_device{}();
  SCOPED_TRACE("random seed " + std::to_string(seed));
  std::mt19937 random(seed);
  const std::string program = to_utf8(running_executable_path().parent_path() / KORVIX_SAVE_LOOP_NAME);
  long next = 1;
  for (int kill = 0, kills = kill_count(); kill < kills; ++kill) {
    SCOPED_TRACE("kill " + std::to_string(kill) + ", first version " + std::to_string(next));
    ChildProcess child;
    std::string error;
    Clock::time_point start = Clock::now();
    ASSERT_TRUE(child.start({program, to_utf8(folder), std::to_string(next)}, {}, error)) << error;
    LoopOutput run;
    char buffer[4096];
    // A first whole round shows that what the last kill left doesn't stop a save.
    while (run.last_saved() < 0) {
      size_t got = child.read(buffer, sizeof buffer);
      if (got == 0) break;
      run.take(buffer, got);
    }
    // Then a random moment within about as long again: the kill lands anywhere
    // in a save, from opening the temporary file to the rename.
    auto round = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start);
    std::this_thread::sleep_for(std::chrono::microseconds(
        std::uniform_int_distribution<long long>(0, std::max<long long>(round.count(), 1000))(random)));
    child.kill_tree();
    while (size_t got = child.read(buffer, sizeof buffer)) run.take(buffer, got);
    child.wait();
    ASSERT_TRUE(!run.failed() && run.last_saved() >= next) << run.output();

    for (size_t file = 0; file < save_loop::file_names.size(); ++file) {
      std::string bytes = read_file_bytes(folder / save_loop::file_names[file]).value_or("(unreadable)");
      bool last = bytes == save_loop::expected_bytes(file, static_cast<uint32_t>(run.last_saved()));
      bool in_progress = bytes == save_loop::expected_bytes(file, static_cast<uint32_t>(run.last_saved() + 1));
      ASSERT_TRUE(last || in_progress) << save_loop::file_names[file] << " is no whole version after "
                                       << run.last_saved() << ": " << describe(bytes);
    }
    next = run.last_saved() + 1;
  }

  // What may be left: the temporary files of saves that a kill cut off.
  std::set<std::string> names(save_loop::file_names.begin(), save_loop::file_names.end());
  const std::regex leftover(R"((launcher\.ini|korvix\.toml|groups\.txt)\.tmp-\d+-\d+|korvix\.subtitles\.new)");
  int leftovers = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    std::string name = entry.path().filename().string();
    if (names.count(name)) continue;
    EXPECT_TRUE(std::regex_match(name, leftover)) << name;
    ++leftovers;
  }
  RecordProperty("leftover_temporary_files", leftovers);
}

}  // namespace
}  // namespace korvix
