// HTTP through curl: one GET of GitHub's REST API, and the download of one file.
//
// The launcher has no HTTP stack of its own; every request is a run of curl
// through ProcessRunner on the worker thread that needs it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "install/process_runner.h"
#include "update/json.h"

namespace korvix {

// GitHub's REST API base followed by "/repos/". KORVIX_LAUNCHER_API_BASE
// replaces it (a test hook pointing at a local fake GitHub).
std::string api_base();

struct ApiReply {
  bool ok = false;
  JsonValue value;    // the parsed document when ok
  std::string error;  // one line for the player otherwise
};

// GET api_base() + repo + path and parse the reply. `repo` is owner/name and
// `path` starts with "/"; neither is escaped. Blocks for up to 20 s plus start-up.
ApiReply api_get(const std::string& repo, const std::string& path);

// The argument list of an API request for `url`.
std::vector<std::string> api_get_arguments(const std::string& url);

// Turns curl's run and its captured output into a reply.
ApiReply api_reply_from_curl(const RunResult& curl, const std::string& output);

// The argument list that downloads `url` into `target` (UTF-8).
std::vector<std::string> download_arguments(const std::string& url, const std::string& target);

struct DownloadResult {
  bool ok = false;
  std::string error;
};

// Runs the download. ok means curl exited with 0; the caller checks the file.
DownloadResult download_file(const std::string& url, const std::string& target);

// Text up to the first LF, with trailing CRs and blanks removed.
std::string first_line(std::string_view text);

}  // namespace korvix
