// Test helper: tests/fake_github/fake_github.py as a child process, plus the git
// repositories it serves. POSIX only (the fake GitHub needs Python and git).
#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "update/json.h"

extern char** environ;

namespace korvix::testing {

// Runs a shell command and returns its stdout; the test fails when it exits non-zero.
inline std::string shell(const std::string& command) {
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) {
    ADD_FAILURE() << "popen failed: " << command;
    return output;
  }
  char buffer[4096];
  size_t count = 0;
  while ((count = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, count);
  int status = pclose(pipe);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command << "\n" << output;
  return output;
}

inline std::string trimmed(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

// A git repository under the fake GitHub's root, with commits made at fixed dates.
class GitRepo {
 public:
  explicit GitRepo(std::filesystem::path folder) : folder_(std::move(folder)) {
    std::filesystem::create_directories(folder_);
    git("init -q -b main");
  }

  std::string git(const std::string& arguments, const std::string& environment = "") {
    return trimmed(shell("cd '" + folder_.string() + "' && " + environment +
                         " GIT_AUTHOR_NAME=Tester GIT_AUTHOR_EMAIL=t@example.com GIT_COMMITTER_NAME=Tester"
                         " GIT_COMMITTER_EMAIL=t@example.com GIT_CONFIG_GLOBAL=/dev/null GIT_CONFIG_NOSYSTEM=1 git " +
                         arguments));
  }

  // `count` empty commits "<label> 1" ... "<label> count", each with a second
  // paragraph. Their dates are 02:00 or later on 2024-03-06 in UTC+5, so in UTC
  // they fall on the evening of 2024-03-05. Returns the new head.
  std::string commit(int count, const std::string& label) {
    for (int i = 1; i <= count; ++i) {
      std::string date = "2024-03-06T02:" + std::to_string(10 + (++clock_ % 50)) + ":00+05:00";
      git("commit -q --allow-empty -m '" + label + " " + std::to_string(i) + "' -m 'Details of the change.'",
          "GIT_AUTHOR_DATE=" + date + " GIT_COMMITTER_DATE=" + date);
    }
    return head();
  }

  std::string head() { return git("rev-parse HEAD"); }

 private:
  std::filesystem::path folder_;
  int clock_ = 0;
};

// The fake GitHub, serving a temporary root on a random port of 127.0.0.1.
class FakeGitHubServer {
 public:
  FakeGitHubServer() {
    root_ = std::filesystem::temp_directory_path() /
            ("korvix-fake-github-" + std::to_string(getpid()) + "-" + std::to_string(counter()++));
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_ / "repos");
    start();
  }

  ~FakeGitHubServer() {
    if (pid_ > 0) {
      close(stdin_fd_);  // the server ends when its stdin closes
      int status = 0;
      waitpid(pid_, &status, 0);
    }
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }

  std::string api_base() const { return "http://127.0.0.1:" + std::to_string(port_) + "/repos/"; }
  std::string url() const { return "http://127.0.0.1:" + std::to_string(port_); }
  const std::filesystem::path& root() const { return root_; }
  bool running() const { return port_ > 0; }

  std::unique_ptr<GitRepo> make_repo(const std::string& owner_and_name) {
    return std::make_unique<GitRepo>(root_ / "repos" / owner_and_name);
  }

  void set_config(const std::string& json) {
    std::filesystem::path target = root_ / "config.json";
    std::ofstream(target.string() + ".new", std::ios::binary) << json;
    std::filesystem::rename(target.string() + ".new", target);
  }

  // The logged requests, oldest first; each has "path" and "headers".
  std::vector<JsonValue> requests() const {
    std::vector<JsonValue> result;
    std::ifstream log(root_ / "requests.log", std::ios::binary);
    std::string line;
    while (std::getline(log, line)) {
      JsonParse parsed = parse_json(line);
      EXPECT_TRUE(parsed.ok) << line;
      result.push_back(std::move(parsed.value));
    }
    return result;
  }

  std::vector<std::string> request_paths() const {
    std::vector<std::string> paths;
    for (const JsonValue& request : requests()) paths.push_back(member(request, "path").text);
    return paths;
  }

  void clear_requests() { std::filesystem::remove(root_ / "requests.log"); }

 private:
  static int& counter() {
    static int value = 0;
    return value;
  }

  void start() {
    std::string script =
        (std::filesystem::path(KORVIX_TEST_FIXTURES).parent_path() / "fake_github" / "fake_github.py").string();
    int to_child[2];
    int from_child[2];
    ASSERT_EQ(pipe(to_child), 0);
    ASSERT_EQ(pipe(from_child), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, to_child[0], 0);
    posix_spawn_file_actions_adddup2(&actions, from_child[1], 1);
    posix_spawn_file_actions_addclose(&actions, to_child[1]);
    posix_spawn_file_actions_addclose(&actions, from_child[0]);
    std::string root = root_.string();
    std::vector<char*> argv{const_cast<char*>("python3"), script.data(), root.data(), nullptr};
    int spawned = posix_spawnp(&pid_, "python3", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(to_child[0]);
    close(from_child[1]);
    stdin_fd_ = to_child[1];
    ASSERT_EQ(spawned, 0) << "python3 couldn't be started";
    std::string line;
    char c = 0;
    while (read(from_child[0], &c, 1) == 1 && c != '\n') line += c;
    close(from_child[0]);
    port_ = std::atoi(line.c_str());
    ASSERT_GT(port_, 0) << "the fake GitHub printed no port";
  }

  std::filesystem::path root_;
  pid_t pid_ = -1;
  int stdin_fd_ = -1;
  int port_ = 0;
};

}  // namespace korvix::testing
