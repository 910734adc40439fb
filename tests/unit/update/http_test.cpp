// Request argument lists and how curl's results become replies and messages.
#include "update/http.h"

#include <gtest/gtest.h>

#include "platform/programs.h"

namespace korvix {
namespace {

TEST(HttpTest, ApiRequestArguments) {
  std::vector<std::string> expected{curl_program,
                                    "-fsSL",
                                    "-g",
                                    "--max-time",
                                    "20",
                                    "-H",
                                    "User-Agent: korvix-velarine-launcher",
                                    "-H",
                                    "Accept: application/vnd.github+json",
                                    "https://api.github.com/repos/o/n/commits/main"};
  EXPECT_EQ(api_get_arguments("https://api.github.com/repos/o/n/commits/main"), expected);
}

TEST(HttpTest, DownloadArguments) {
  std::vector<std::string> expected{
      curl_program,        "-fsSL",      "-g", "--max-time", "900", "-H", "User-Agent: korvix-velarine-launcher", "-o",
      "/tmp/k l.download", "https://x/y"};
  EXPECT_EQ(download_arguments("https://x/y", "/tmp/k l.download"), expected);
}

TEST(HttpTest, FirstLine) {
  EXPECT_EQ(first_line("curl: (6) Could not resolve host \r \r\nsecond"), "curl: (6) Could not resolve host");
  EXPECT_EQ(first_line("only \r"), "only");
  EXPECT_EQ(first_line(" \r\n"), "");
  EXPECT_EQ(first_line(""), "");
  EXPECT_EQ(first_line("  lead kept"), "  lead kept");
}

TEST(HttpTest, CurlResultsBecomeReplies) {
  ApiReply not_started = api_reply_from_curl({-1, "couldn't start curl (error 2)"}, "");
  EXPECT_FALSE(not_started.ok);
  EXPECT_EQ(not_started.error, "couldn't start curl (error 2)");

  ApiReply http_error = api_reply_from_curl({22, ""}, "curl: (22) The requested URL returned error: 404\nmore\n");
  EXPECT_EQ(http_error.error, "Couldn't reach GitHub (curl: (22) The requested URL returned error: 404)");
  EXPECT_EQ(api_reply_from_curl({28, ""}, "").error, "Couldn't reach GitHub ()");
  // A negative code is the program's own (a crash, a stand-in's exit -1): its
  // output still says why.
  for (int code : {-1, -1073741819}) {
    ApiReply crashed = api_reply_from_curl({code, ""}, "curl: broken\n");
    EXPECT_FALSE(crashed.ok);
    EXPECT_EQ(crashed.error, "Couldn't reach GitHub (curl: broken)") << code;
  }

  for (const char* body : {"", "<html>", "{\"a\":1} trailing", "[1]\n[2]\n"}) {
    ApiReply reply = api_reply_from_curl({0, ""}, body);
    EXPECT_FALSE(reply.ok) << body;
    EXPECT_EQ(reply.error, "Unexpected reply from GitHub.") << body;
  }
  // A reply cut at the limit is unexpected, however its run ended.
  for (int code : {0, 1, 23}) {
    ApiReply cut = api_reply_from_curl({code, "", true}, "{\n\"sha\": \"abc\"\n");
    EXPECT_FALSE(cut.ok);
    EXPECT_EQ(cut.error, "Unexpected reply from GitHub.") << code;
  }
  ApiReply good = api_reply_from_curl({0, ""}, "{\n\"sha\": \"abc\"\n}\n");
  EXPECT_TRUE(good.ok);
  EXPECT_EQ(good.error, "");
  EXPECT_EQ(member(good.value, "sha").text, "abc");
}

}  // namespace
}  // namespace korvix
