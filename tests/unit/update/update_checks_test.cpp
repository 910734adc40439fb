// The checks' state rules with stand-in replies, where timing must be controlled.
#include "update/update_checks.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <limits>
#include <thread>

#include "platform/executable_path.h"

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
                 R"(", "browser_download_url": "u2", "size": 5}]})");
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
  EXPECT_EQ(status->launcher_download_url, "u2");
  EXPECT_EQ(status->launcher_size, 5);
}

TEST(ReleaseCheckStateTest, LastMatchingAssetWinsAndAFailedRequestOffersNothing) {
  std::string asset = launcher_release_asset;
  ApiGet two_assets = [asset](const std::string&, const std::string&) {
    return reply(R"({"tag_name": "launcher-v1.0.0", "assets": [{"name": ")" + asset +
                 R"(", "browser_download_url": "first", "size": 1}, {"name": "readme.txt",
                 "browser_download_url": "other", "size": 2}, {"name": ")" +
                 asset + R"(", "browser_download_url": "second", "size": 3}]})");
  };
  ReleaseFinding found = fetch_release(two_assets, "o/n", "main");
  EXPECT_TRUE(found.available);
  EXPECT_EQ(found.download_url, "second");
  EXPECT_EQ(found.size, 3u);

  ApiGet failing = [](const std::string&, const std::string&) { return ApiReply{false, {}, "Couldn't reach GitHub ()"}; };
  EXPECT_FALSE(fetch_release(failing, "o/n", "main").available);
  EXPECT_FALSE(fetch_release(failing, "o/n", "experimental").available);
}

}  // namespace
}  // namespace korvix
