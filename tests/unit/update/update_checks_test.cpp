// The checks' state rules with stand-in replies, where timing must be controlled.
#include "update/update_checks.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <limits>
#include <thread>

#include "app/launcher_app.h"
#include "platform/executable_path.h"
#include "support/scoped_env.h"
#include "update/version.h"

namespace korvix {
namespace {

ApiReply reply(const std::string& json) {
  JsonParse parsed = parse_json(json);
  EXPECT_TRUE(parsed.ok) << json;
  return {true, std::move(parsed.value), ""};
}

// Polls until every worker has let go of the status record.
void wait_for_workers(const std::shared_ptr<LauncherStatus>& status) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (status.use_count() > 1 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  ASSERT_EQ(status.use_count(), 1) << "a worker never finished";
  // use_count() orders nothing: the lock, taken after the worker's last one,
  // makes what it stored visible to the checks that follow without it.
  std::lock_guard lock(status->mutex);
}

TEST(UpdateCheckNumbersTest, ConversionsOfJsonNumbers) {
  EXPECT_EQ(json_to_int32(3.0), 3);
  EXPECT_EQ(json_to_int32(-2.9), -2);
  EXPECT_EQ(json_to_int32(2147483647.0), 2147483647);
  EXPECT_EQ(json_to_int32(-2147483648.0), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(json_to_int32(2147483648.0), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(json_to_int32(1e300), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(json_to_int32(std::numeric_limits<double>::quiet_NaN()), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(json_to_uint64(7340032.0), 7340032u);
  EXPECT_EQ(json_to_uint64(-5.0), 0u);
  EXPECT_EQ(json_to_uint64(1e30), 0u);
}

TEST(UpdateCheckNumbersTest, CompareCountsOutsideThirtyTwoBits) {
  ApiGet get = [](const std::string&, const std::string& path) {
    if (path == "/commits/main") return reply(R"({"sha": "b", "commit": {"message": "m\r\nmore"}})");
    return reply(R"({"ahead_by": 1e12, "behind_by": -3e9, "commits": [{"sha": "123456789", "commit": {}}]})");
  };
  CommitComparison result = fetch_commit_comparison(get, "o/n", "main", "a");
  EXPECT_TRUE(result.ok);
  EXPECT_EQ(result.latest.message, "m");
  EXPECT_EQ(result.latest.date, "") << "a missing date reads empty";
  EXPECT_EQ(result.behind_by, std::numeric_limits<int32_t>::min());
  EXPECT_EQ(result.ahead_by, std::numeric_limits<int32_t>::min());
  EXPECT_EQ(result.new_commits, std::vector<std::string>{"1234567  "});
}

TEST(ReleaseCheckStateTest, NoCheckStartsWhileADownloadRunsOrWaits) {
  for (int32_t busy : {update_downloading, update_ready}) {
    auto status = std::make_shared<LauncherStatus>();
    status->launcher_update = busy;
    bool asked = false;
    start_launcher_check(status, "o/n", [&](const std::string&, const std::string&) {
      asked = true;
      return ApiReply{};
    });
    wait_for_workers(status);
    EXPECT_FALSE(asked);
    EXPECT_EQ(status->launcher_update, busy);
    EXPECT_EQ(status->release_check_generation, 0);
  }
}

TEST(ReleaseCheckStateTest, ADownloadStartedDuringTheCheckKeepsItsState) {
  auto status = std::make_shared<LauncherStatus>();
  status->launcher_update = update_available;
  std::promise<void> release_reply;
  std::shared_future<void> reply_may_go = release_reply.get_future().share();
  std::string asset = launcher_release_asset;
  ApiGet get = [reply_may_go, asset](const std::string&, const std::string&) {
    reply_may_go.wait();
    return reply(R"({"tag_name": "launcher-v0.9.0", "assets": [{"name": ")" + asset +
                 R"(", "browser_download_url": "https://u2", "size": 5}]})");
  };
  start_launcher_check(status, "o/n", get);
  {
    std::lock_guard lock(status->mutex);
    EXPECT_EQ(status->launcher_update, update_available) << "3 stays 3 while a re-check runs";
    EXPECT_EQ(status->release_check_generation, 1);
    status->launcher_update = update_downloading;  // the player chose "Update the launcher"
    status->launcher_download_url = "u1";
  }
  release_reply.set_value();
  wait_for_workers(status);
  EXPECT_EQ(status->launcher_update, update_downloading);
  EXPECT_EQ(status->launcher_download_url, "u1");

  status->launcher_update = update_failed;
  start_launcher_check(status, "o/n", get);
  wait_for_workers(status);
  EXPECT_EQ(status->launcher_update, update_available);
  EXPECT_EQ(status->launcher_version, "v0.9.0");
  EXPECT_EQ(status->launcher_download_url, "https://u2");
  EXPECT_EQ(status->launcher_size, 5);
}

TEST(ReleaseCheckStateTest, LastMatchingAssetWinsAndAFailedRequestOffersNothing) {
  std::string asset = launcher_release_asset;
  ApiGet two_assets = [asset](const std::string&, const std::string&) {
    return reply(R"({"tag_name": "launcher-v1.0.0", "assets": [{"name": ")" + asset +
                 R"(", "browser_download_url": "https://first", "size": 1}, {"name": "readme.txt",
                 "browser_download_url": "https://other", "size": 2}, {"name": ")" +
                 asset + R"(", "browser_download_url": "https://second", "size": 3}]})");
  };
  ReleaseFinding found = fetch_release(two_assets, "o/n", "main");
  EXPECT_TRUE(found.available);
  EXPECT_EQ(found.download_url, "https://second");
  EXPECT_EQ(found.size, 3u);

  ApiGet failing = [](const std::string&, const std::string&) { return ApiReply{false, {}, "Couldn't reach GitHub ()"}; };
  EXPECT_FALSE(fetch_release(failing, "o/n", "main").available);
  EXPECT_FALSE(fetch_release(failing, "o/n", "experimental").available);
}

// Paths the checks asked for, with stand-in replies.
class RecordingGet {
 public:
  explicit RecordingGet(std::function<ApiReply(const std::string& path)> answer) : answer_(std::move(answer)) {}
  ApiGet get() {
    return [this](const std::string&, const std::string& path) {
      paths.push_back(path);
      return answer_(path);
    };
  }
  std::vector<std::string> paths;

 private:
  std::function<ApiReply(const std::string& path)> answer_;
};

TEST(CheckAddressesTest, NamesFromTheNetworkArePercentEncodedInThePath) {
  // A branch may hold characters that would end the path, escape by themselves
  // or start curl's globbing; "/" stays, as branch names use it for folders.
  const std::string id(40, 'e');
  RecordingGet recording([&](const std::string& path) {
    if (path.rfind("/commits/", 0) == 0) return reply(R"({"sha": ")" + id + R"(", "commit": {"message": "m"}})");
    return reply(R"({"ahead_by": 1, "behind_by": 0, "commits": []})");
  });
  CommitComparison result =
      fetch_commit_comparison(recording.get(), "o/n", "feat/\xC3\xBC #1?{a,b}[0]%41~ok", "1234567 ../x");
  EXPECT_TRUE(result.ok) << result.error;
  EXPECT_EQ(recording.paths, (std::vector<std::string>{"/commits/feat/%C3%BC%20%231%3F%7Ba,b%7D%5B0%5D%2541~ok",
                                                       "/compare/1234567%20../x..." + id}));
  EXPECT_EQ(url_path_escaped("a-b_c.d~e!$&'()*+,;=:@/Z9"), "a-b_c.d~e!$&'()*+,;=:@/Z9") << "all allowed in a path";
  EXPECT_EQ(url_path_escaped(std::string("\x00\x7F\"<>\\^`|", 9)), "%00%7F%22%3C%3E%5C%5E%60%7C");
}

TEST(CheckAddressesTest, ALauncherIsDownloadedOnlyOverHttps) {
  ScopedEnv api_base("KORVIX_LAUNCHER_API_BASE", std::nullopt);
  std::string asset = launcher_release_asset;
  std::string url;
  ApiGet get = [&](const std::string&, const std::string&) {
    return reply(R"({"tag_name": "launcher-v9.0.0", "assets": [{"name": ")" + asset +
                 R"(", "browser_download_url": ")" + url + R"(", "size": 5}]})");
  };
  for (const char* rejected : {"http://example.com/k.exe", "file:///etc/passwd", "ftp://example.com/k.exe",
                               "HTTPS//example.com", "-o/tmp/x", "//example.com/k.exe", ""}) {
    url = rejected;
    ReleaseFinding found = fetch_release(get, "o/n", "main");
    EXPECT_FALSE(found.available) << rejected;
    EXPECT_EQ(found.download_url, "") << rejected;
  }
  url = "https://github.com/o/n/releases/download/launcher-v9.0.0/k.exe";
  EXPECT_TRUE(fetch_release(get, "o/n", "main").available);

  // The local fake GitHub of the tests is plain HTTP, on the API base's host only.
  api_base.set("http://127.0.0.1:8123/repos/");
  url = "http://127.0.0.1:8123/download/o/n/k.exe";
  EXPECT_TRUE(fetch_release(get, "o/n", "main").available);
  for (const char* rejected : {"http://127.0.0.1:81234/x", "http://127.0.0.1:812/x", "http://127.0.0.2:8123/x"}) {
    url = rejected;
    EXPECT_FALSE(fetch_release(get, "o/n", "main").available) << rejected;
  }
}

TEST(ExperimentalReleaseTest, ABranchNameAsTheReleasesTargetStandsForItsNewestCommit) {
  // A release made on an existing tag names a branch as its target.
  std::string asset = launcher_release_asset;
  std::string target = "main";
  std::string newest = "0123456789abcdef0123456789abcdef01234567";
  RecordingGet recording([&](const std::string& path) {
    if (path == "/releases/tags/launcher-experimental")
      return reply(R"({"target_commitish": ")" + target + R"(", "assets": [{"name": ")" + asset +
                   R"(", "browser_download_url": "https://x/k.exe", "size": 5}]})");
    if (path.rfind("/commits/", 0) == 0) return reply(R"({"sha": ")" + newest + R"("})");
    return reply(R"({"ahead_by": 2})");
  });
  ReleaseFinding found = fetch_release(recording.get(), "o/n", "experimental");
  EXPECT_TRUE(found.available);
  EXPECT_EQ(found.name, "experimental 0123456");
  EXPECT_EQ(recording.paths,
            (std::vector<std::string>{"/releases/tags/launcher-experimental", "/commits/main",
                                      "/compare/" + std::string(launcher_build_commit) + "..." + newest}));

  // The branch's newest commit is the launcher's own: nothing newer, no compare.
  recording.paths.clear();
  target = "release/1.x";
  newest = launcher_build_commit;
  found = fetch_release(recording.get(), "o/n", "experimental");
  EXPECT_FALSE(found.available);
  EXPECT_EQ(recording.paths.back(), "/commits/release/1.x");

  // A commit id is taken as it is, in either case.
  recording.paths.clear();
  target = std::string(40, 'A');
  fetch_release(recording.get(), "o/n", "experimental");
  EXPECT_EQ(recording.paths.size(), 2u);
  EXPECT_EQ(recording.paths.back(), "/compare/" + std::string(launcher_build_commit) + "..." + target);
}

TEST(ExperimentalReleaseTest, ATargetThatCantBeResolvedOffersNothing) {
  std::string asset = launcher_release_asset;
  ApiGet get = [&](const std::string&, const std::string& path) {
    if (path.rfind("/commits/", 0) == 0) return ApiReply{false, {}, "Couldn't reach GitHub ()"};
    return reply(R"({"target_commitish": "gone", "assets": [{"name": ")" + asset +
                 R"(", "browser_download_url": "https://x/k.exe"}]})");
  };
  ReleaseFinding found = fetch_release(get, "o/n", "experimental");
  EXPECT_FALSE(found.available);
  EXPECT_EQ(found.name, "experimental ");
}

TEST(BranchChangeTest, ChecksStillRunningForTheOldBranchStoreNothing) {
  LauncherApp app;  // on "main", the first of "main" and "experimental"
  app.interface_clock = [] { return 50.0; };
  std::promise<void> replies;
  std::shared_future<void> replies_may_go = replies.get_future().share();
  std::string asset = launcher_release_asset;
  ApiGet old_branch = [replies_may_go, asset](const std::string&, const std::string& path) {
    replies_may_go.wait();
    if (path.rfind("/commits/", 0) == 0)
      return reply(R"({"sha": "1111111111111111111111111111111111111111", "commit": {"message": "on main"}})");
    return reply(R"({"tag_name": "launcher-v9.0.0", "assets": [{"name": ")" + asset +
                 R"(", "browser_download_url": "https://x/stable.exe", "size": 5}]})");
  };
  start_commit_check(app.status, "o/n", "", old_branch);
  start_launcher_check(app.status, "o/n", old_branch);
  app.change(row_branch, 1);
  replies.set_value();
  wait_for_workers(app.status);

  std::lock_guard lock(app.status->mutex);
  EXPECT_EQ(app.status->chosen_branch(), "experimental");
  EXPECT_EQ(app.status->check_state, check_none) << "main's comparison arrived after the change";
  EXPECT_EQ(app.status->latest_commit.id, "");
  EXPECT_EQ(app.status->launcher_update, update_checking) << "the stable channel's launcher is not offered";
  EXPECT_EQ(app.status->launcher_download_url, "");
  EXPECT_DOUBLE_EQ(app.recheck_at, 50.6) << "the new branch is checked shortly";
}

}  // namespace
}  // namespace korvix
