// The three checks for real: curl against the fake GitHub, which serves git
// repositories made here, so ids, dates and counts come from git itself.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <thread>

#include "fake_github_server.h"
#include "install/process_runner.h"
#include "platform/executable_path.h"
#include "platform/programs.h"
#include "update/update_checks.h"
#include "update/version.h"

namespace korvix {
namespace {

using testing::FakeGitHubServer;
using testing::GitRepo;

struct Snapshot {
  std::vector<std::string> branches;
  int32_t branch_index = 0;
  int32_t check_state = 0;
  uint32_t check_generation = 0;
  std::string checked_branch;
  CommitInfo latest;
  int32_t behind_by = 0;
  int32_t ahead_by = 0;
  std::vector<std::string> new_commits;
  std::string check_error;
  int32_t launcher_update = 0;
  std::string launcher_version;
  std::string launcher_download_url;
  int64_t launcher_size = 0;
};

class UpdateChecksTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    server_ = new FakeGitHubServer;
    setenv("KORVIX_LAUNCHER_API_BASE", server_->api_base().c_str(), 1);
  }

  static void TearDownTestSuite() {
    unsetenv("KORVIX_LAUNCHER_API_BASE");
    delete server_;
    server_ = nullptr;
  }

  void SetUp() override {
    ASSERT_TRUE(server_->running());
    repo_name = std::string("korvix/") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    repo = server_->make_repo(repo_name);
    server_->set_config("{}");
    server_->clear_requests();
  }

  // Polls until every worker has let go of the status record, then copies it.
  Snapshot settled() {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (status.use_count() > 1 && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(status.use_count(), 1) << "a worker never finished";
    std::lock_guard lock(status->mutex);
    return {status->branches,           status->branch_index,     status->check_state,
            status->check_generation,   status->checked_branch,   status->latest_commit,
            status->behind_by,          status->ahead_by,         status->new_commits,
            status->check_error,        status->launcher_update,  status->launcher_version,
            status->launcher_download_url, status->launcher_size};
  }

  void choose(const std::string& branch) {
    std::lock_guard lock(status->mutex);
    status->branches.push_back(branch);
    status->branch_index = static_cast<int32_t>(status->branches.size() - 1);
  }

  std::string short_line(const std::string& commit, const std::string& message) {
    return commit.substr(0, 7) + "  " + message;
  }

  static FakeGitHubServer* server_;
  std::string repo_name;
  std::unique_ptr<GitRepo> repo;
  std::shared_ptr<LauncherStatus> status = std::make_shared<LauncherStatus>();
};

FakeGitHubServer* UpdateChecksTest::server_ = nullptr;

TEST_F(UpdateChecksTest, InstallThreeCommitsBehindListsTheNewOnesNewestFirst) {
  std::string installed = repo->commit(2, "old");
  std::string head = repo->commit(3, "new");
  start_commit_check(status, repo_name, installed);
  {
    std::lock_guard lock(status->mutex);
    EXPECT_EQ(status->checked_branch, "main");
    EXPECT_EQ(status->check_generation, 1u);
  }
  Snapshot s = settled();
  EXPECT_EQ(s.check_state, check_done);
  EXPECT_EQ(s.check_error, "");
  EXPECT_EQ(s.latest.id, head);
  EXPECT_EQ(s.latest.date, "2024-03-05") << "the committer date as GitHub gives it, in UTC";
  EXPECT_EQ(s.latest.message, "new 3") << "only the first line of the message";
  EXPECT_EQ(s.behind_by, 3);
  EXPECT_EQ(s.ahead_by, 0);
  std::vector<std::string> expected{short_line(head, "new 3"), short_line(repo->git("rev-parse HEAD~1"), "new 2"),
                                    short_line(repo->git("rev-parse HEAD~2"), "new 1")};
  EXPECT_EQ(s.new_commits, expected);

  std::vector<JsonValue> requests = server_->requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(member(requests[0], "path").text, "/repos/" + repo_name + "/commits/main");
  EXPECT_EQ(member(requests[1], "path").text, "/repos/" + repo_name + "/compare/" + installed + "..." + head);
  for (const JsonValue& request : requests) {
    EXPECT_EQ(member(member(request, "headers"), "User-Agent").text, "korvix-velarine-launcher");
    EXPECT_EQ(member(member(request, "headers"), "Accept").text, "application/vnd.github+json");
  }
}

TEST_F(UpdateChecksTest, InstallFromAnotherBranchCountsBothSides) {
  repo->commit(1, "base");
  repo->git("checkout -q -b experimental");
  std::string installed = repo->commit(2, "trial");
  repo->git("checkout -q main");
  std::string head = repo->commit(4, "mainline");
  start_commit_check(status, repo_name, installed);
  Snapshot s = settled();
  EXPECT_EQ(s.check_state, check_done);
  EXPECT_EQ(s.latest.id, head);
  EXPECT_EQ(s.behind_by, 4) << "commits of main the install lacks";
  EXPECT_EQ(s.ahead_by, 2) << "commits of the install main lacks";
  ASSERT_EQ(s.new_commits.size(), 4u);
  EXPECT_EQ(s.new_commits.front(), short_line(head, "mainline 4"));
}

TEST_F(UpdateChecksTest, UpToDateAndUnknownInstallMakeOneRequest) {
  std::string head = repo->commit(2, "work");
  start_commit_check(status, repo_name, head);
  Snapshot same = settled();
  EXPECT_EQ(same.check_state, check_done);
  EXPECT_EQ(same.behind_by, 0);
  EXPECT_EQ(same.ahead_by, 0);
  EXPECT_TRUE(same.new_commits.empty());

  start_commit_check(status, repo_name, "");  // no install record
  Snapshot unknown = settled();
  EXPECT_EQ(unknown.check_state, check_done);
  EXPECT_EQ(unknown.check_generation, 2u);
  EXPECT_EQ(unknown.latest.id, head);
  EXPECT_EQ(unknown.behind_by, -1);
  EXPECT_EQ(unknown.ahead_by, -1);
  EXPECT_EQ(server_->request_paths().size(), 2u) << "no compare request either time";
}

TEST_F(UpdateChecksTest, ThirtyFiveNewCommitsListTheNewestTwenty) {
  std::string installed = repo->commit(1, "start");
  std::string head = repo->commit(35, "step");
  start_commit_check(status, repo_name, installed);
  Snapshot s = settled();
  EXPECT_EQ(s.behind_by, 35);
  ASSERT_EQ(s.new_commits.size(), 20u);
  EXPECT_EQ(s.new_commits.front(), short_line(head, "step 35"));
  EXPECT_EQ(s.new_commits.back(), short_line(repo->git("rev-parse HEAD~19"), "step 16"));
}

TEST_F(UpdateChecksTest, FailedCompareLeavesCountsUndetermined) {
  std::string installed = repo->commit(1, "a");
  std::string head = repo->commit(1, "b");
  server_->set_config(R"({"rules": [{"path": "/repos/)" + repo_name + "/compare/" + installed + "..." + head +
                      R"(", "mode": "not_found"}]})");
  start_commit_check(status, repo_name, installed);
  Snapshot s = settled();
  EXPECT_EQ(s.check_state, check_done) << "only the latest-commit request decides failure";
  EXPECT_EQ(s.check_error, "");
  EXPECT_EQ(s.latest.id, head);
  EXPECT_EQ(s.behind_by, -1);
  EXPECT_EQ(s.ahead_by, -1);
  EXPECT_TRUE(s.new_commits.empty());
}

TEST_F(UpdateChecksTest, LatestCommitFailuresGiveTheirTexts) {
  repo->commit(1, "only");
  struct Case {
    const char* rule;
    std::string error;
  } cases[] = {
      {R"("mode": "not_found")", "Couldn't reach GitHub (curl: (22) The requested URL returned error: 404)"},
      {R"("mode": "not_json")", "Unexpected reply from GitHub."},
      {R"("mode": "json_then_text")", "Unexpected reply from GitHub."},
      {R"("mode": "empty")", "Unexpected reply from GitHub."},
      {R"("body": "{\"message\": \"Not Found\"}")", "GitHub doesn't know the branch main."},
      // The right commit, but with 17 MiB more: more than a request may take.
      {R"("pad": 17825792)", "Unexpected reply from GitHub."},
  };
  for (const Case& c : cases) {
    server_->set_config(R"({"rules": [{"path": "/repos/)" + repo_name + R"(/commits/main", )" + c.rule + "}]}");
    start_commit_check(status, repo_name, "0123456789012345678901234567890123456789");
    Snapshot s = settled();
    EXPECT_EQ(s.check_state, check_failed) << c.rule;
    EXPECT_EQ(s.check_error, c.error) << c.rule;
    EXPECT_EQ(s.behind_by, -1) << c.rule;
  }
  EXPECT_EQ(server_->request_paths().size(), 6u) << "no compare after a failed latest commit";
}

TEST_F(UpdateChecksTest, RepositoryGitHubDoesNotKnow) {
  start_commit_check(status, "korvix/no-such-repository", "");
  Snapshot s = settled();
  EXPECT_EQ(s.check_state, check_failed);
  EXPECT_EQ(s.check_error, "Couldn't reach GitHub (curl: (22) The requested URL returned error: 404)");
}

TEST_F(UpdateChecksTest, DeletedBranchStaysChosenAndFailsTheComparison) {
  repo->commit(1, "first");
  repo->git("branch feature");
  choose("gone");  // main, experimental, gone
  start_branch_list(status, repo_name);
  Snapshot listed = settled();
  EXPECT_EQ(listed.branches, (std::vector<std::string>{"feature", "main", "gone"}));
  EXPECT_EQ(listed.branch_index, 2);
  EXPECT_EQ(server_->request_paths(), std::vector<std::string>{"/repos/" + repo_name + "/branches?per_page=100"});

  start_commit_check(status, repo_name, "");
  Snapshot checked = settled();
  EXPECT_EQ(checked.checked_branch, "gone");
  EXPECT_EQ(checked.check_state, check_failed);
  EXPECT_EQ(checked.check_error, "Couldn't reach GitHub (curl: (22) The requested URL returned error: 422)")
      << "GitHub answers an unknown ref with an HTTP error, not with a reply lacking sha";
}

TEST_F(UpdateChecksTest, BranchListKeepsTheChoiceAndIgnoresFailures) {
  repo->commit(1, "first");
  repo->git("branch experimental");
  repo->git("branch zeta");
  {
    std::lock_guard lock(status->mutex);
    status->branch_index = 1;  // experimental
  }
  start_branch_list(status, repo_name);
  Snapshot s = settled();
  EXPECT_EQ(s.branches, (std::vector<std::string>{"experimental", "main", "zeta"})) << "reply order, not sorted here";
  EXPECT_EQ(s.branch_index, 0);

  server_->set_config(R"({"rules": [{"path": "/repos/)" + repo_name + R"(/branches", "body": "{\"name\": \"x\"}"}]})");
  start_branch_list(status, repo_name);
  EXPECT_EQ(settled().branches, s.branches) << "a reply that is no array changes nothing";
  server_->set_config(R"({"rules": [{"path": "/repos/)" + repo_name + R"(/branches", "body": "[{\"name\": \"\"}, {\"name\": 5}]"}]})");
  start_branch_list(status, repo_name);
  EXPECT_EQ(settled().branches, s.branches) << "no usable names changes nothing";
}

TEST_F(UpdateChecksTest, OnlyTheLatestOfTwoQuickComparisonsIsStored) {
  std::string two_behind = repo->commit(1, "a");
  std::string one_behind = repo->commit(1, "b");
  repo->commit(1, "c");
  server_->set_config(R"({"rules": [{"path": "/repos/)" + repo_name + R"(/commits/main", "times": 1, "delay": 1.5}]})");
  start_commit_check(status, repo_name, one_behind);  // slowed down
  start_commit_check(status, repo_name, two_behind);
  Snapshot s = settled();  // both workers have finished
  EXPECT_EQ(s.check_generation, 2u);
  EXPECT_EQ(s.check_state, check_done);
  EXPECT_EQ(s.behind_by, 2) << "the first, slower comparison's result was dropped";
  EXPECT_EQ(s.new_commits.size(), 2u);
  EXPECT_EQ(server_->request_paths().size(), 4u) << "both comparisons ran to the end";
}

TEST_F(UpdateChecksTest, ABranchWithBracesAndAHashIsAskedForAsItIs) {
  // Unescaped, curl would glob "{a,b}" into two requests and "#" would end the path.
  std::string head = repo->commit(1, "work");
  repo->git("branch 'fix-{a,b}#2' " + head);
  choose("fix-{a,b}#2");
  start_commit_check(status, repo_name, head);
  Snapshot s = settled();
  EXPECT_EQ(s.check_state, check_done) << s.check_error;
  EXPECT_EQ(s.latest.id, head);
  EXPECT_EQ(s.behind_by, 0);
  EXPECT_EQ(server_->request_paths(), std::vector<std::string>{"/repos/" + repo_name + "/commits/fix-%7Ba,b%7D%232"});
}

TEST_F(UpdateChecksTest, CurlMissingFromThePathGivesTheRunnersText) {
  std::string path = getenv("PATH") ? getenv("PATH") : "";
  std::filesystem::path empty = server_->root() / "empty-bin";
  std::filesystem::create_directories(empty);
  setenv("PATH", empty.c_str(), 1);
  std::string output;
  RunResult curl = ProcessRunner::run_captured({curl_program, "--version"}, output);
  start_commit_check(status, repo_name, "");
  Snapshot s = settled();
  setenv("PATH", path.c_str(), 1);
  EXPECT_FALSE(curl.started());
  EXPECT_EQ(curl.start_error, "couldn't start curl (error 2)");
  EXPECT_EQ(s.check_state, check_failed);
  EXPECT_EQ(s.check_error, curl.start_error);
  EXPECT_TRUE(server_->requests().empty());
}

// Releases offered or not on the stable channel, by tag and assets.
TEST_F(UpdateChecksTest, StableReleaseIsOfferedWhenNewerAndCarryingTheAsset) {
  struct Case {
    std::string tag;
    std::string asset;
    int32_t state;
    std::string version;
  } cases[] = {
      {"launcher-v0.6.0", launcher_release_asset, update_none_newer, "v0.6.0"},
      {"launcher-v0.6.1", launcher_release_asset, update_available, "v0.6.1"},
      {"launcher-v0.10.0", launcher_release_asset, update_available, "v0.10.0"},
      {"v0.7", launcher_release_asset, update_available, "vv0.7"},
      {"launcher-v9.0.0", "korvix-launcher-other-platform", update_none_newer, "v9.0.0"},
  };
  for (const Case& c : cases) {
    server_->set_config(R"({"releases": {")" + repo_name + R"(": [{"tag_name": ")" + c.tag +
                        R"(", "assets": [{"name": ")" + c.asset + R"(", "size": 1234}]}]}})");
    start_launcher_check(status, repo_name);
    Snapshot s = settled();
    EXPECT_EQ(s.launcher_update, c.state) << c.tag;
    EXPECT_EQ(s.launcher_version, c.version) << c.tag;
    if (c.asset == launcher_release_asset) {
      EXPECT_EQ(s.launcher_download_url, server_->url() + "/download/" + repo_name + "/" + c.tag + "/" + c.asset);
      EXPECT_EQ(s.launcher_size, 1234);
    } else {
      EXPECT_EQ(s.launcher_download_url, "");
    }
  }
  EXPECT_EQ(server_->request_paths(), std::vector<std::string>(5, "/repos/" + repo_name + "/releases/latest"));

  server_->set_config("{}");  // no release at all: 404
  start_launcher_check(status, repo_name);
  EXPECT_EQ(settled().launcher_update, update_none_newer);
}

TEST_F(UpdateChecksTest, ExperimentalReleaseIsComparedWithTheBuildCommit) {
  std::string released = repo->commit(2, "experiment");
  auto configure = [&](const std::string& commit, const std::string& rules) {
    server_->set_config(R"({"rules": [)" + rules + R"(], "releases": {")" + repo_name +
                        R"(": [{"tag_name": "launcher-experimental", "prerelease": true, "target_commitish": ")" +
                        commit + R"(", "assets": [{"name": ")" + launcher_release_asset + R"(", "size": 99}]}]}})");
  };
  choose("experimental");
  std::string compare_path =
      "/repos/" + repo_name + "/compare/" + std::string(launcher_build_commit) + "..." + released;

  configure(released, "");  // the build commit is unknown to this repository: compare fails
  start_launcher_check(status, repo_name);
  Snapshot unknown = settled();
  EXPECT_EQ(unknown.launcher_update, update_available) << "a failed compare counts as newer";
  EXPECT_EQ(unknown.launcher_version, "experimental " + released.substr(0, 7));
  EXPECT_EQ(server_->request_paths(),
            (std::vector<std::string>{"/repos/" + repo_name + "/releases/tags/launcher-experimental", compare_path}));

  configure(released, R"({"path": ")" + compare_path + R"(", "body": "{\"ahead_by\": 0, \"behind_by\": 4}"})");
  start_launcher_check(status, repo_name);
  EXPECT_EQ(settled().launcher_update, update_none_newer) << "the build is ahead of the release";

  configure(released, R"({"path": ")" + compare_path + R"(", "body": "{\"ahead_by\": 3, \"behind_by\": 0}"})");
  start_launcher_check(status, repo_name);
  EXPECT_EQ(settled().launcher_update, update_available);

  server_->clear_requests();
  configure(launcher_build_commit, "");
  start_launcher_check(status, repo_name);
  EXPECT_EQ(settled().launcher_update, update_none_newer) << "the release is this build";
  EXPECT_EQ(server_->request_paths().size(), 1u) << "no compare for the build's own commit";
}

TEST_F(UpdateChecksTest, DownloadFollowsTheAssetRedirect) {
  server_->set_config(R"({"releases": {")" + repo_name +
                      R"(": [{"tag_name": "launcher-v0.7.0", "assets": [{"name": "k.exe", "content": "MZ-binary"}]}]}})");
  std::filesystem::path target = server_->root() / "k.exe.download";
  DownloadResult fetched = download_file(server_->url() + "/download/" + repo_name + "/launcher-v0.7.0/k.exe", target);
  EXPECT_TRUE(fetched.ok) << fetched.error;
  EXPECT_EQ(testing::shell("cat '" + target.string() + "'"), "MZ-binary");
  DownloadResult missing = download_file(server_->url() + "/download/" + repo_name + "/none/k.exe", target);
  EXPECT_FALSE(missing.ok);
  EXPECT_EQ(missing.error, "download failed (curl: (22) The requested URL returned error: 404)");
  std::vector<JsonValue> requests = server_->requests();
  ASSERT_FALSE(requests.empty());
  EXPECT_EQ(member(member(requests[0], "headers"), "Accept").text, "*/*") << "downloads send no Accept header";
}

}  // namespace
}  // namespace korvix
