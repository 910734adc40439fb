// HTTP through curl: one GET of GitHub's REST API, and the download of one file.
//
// The launcher has no HTTP stack of its own; every request is a run of curl
// through ProcessRunner on the worker thread that needs it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "install/process_runner.h"
#include "update/json.h"

namespace korvix {

// GitHub's REST API base followed by "/repos/". KORVIX_LAUNCHER_API_BASE
// replaces it (a test hook pointing at a local fake GitHub).
std::string api_base();

// The most an API reply may hold. The replies the launcher asks for are far
// smaller; each value of a parsed reply costs about a hundred bytes of memory.
inline constexpr size_t api_reply_limit = 16 * 1024 * 1024;

struct ApiReply {
  bool ok = false;
  JsonValue value;    // the parsed document when ok
  std::string error;  // one line for the player otherwise
};

// GET api_base() + repo + path and parse the reply; one larger than
// api_reply_limit is unexpected. `repo` is owner/name and
// `path` starts with "/"; neither is escaped here (names from the network go
// through url_path_escaped first). curl's globbing is off, so "{" and "[" are
// plain characters. Blocks for up to 20 s plus start-up.
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

// `text` made fit for a URL path: every byte but the unreserved characters, the
// sub-delimiters, ":", "@" and "/" is percent-encoded, so a name from the network
// can't end the path early ("?", "#") or slip in an escape of its own ("%").
std::string url_path_escaped(std::string_view text);

// Whether a download address from a release may be used: only "https://" ones,
// or, with the API base replaced by the test hook, ones on that base's host.
bool is_trusted_download_address(std::string_view url);

// Text up to the first LF, with trailing CRs and blanks removed.
std::string first_line(std::string_view text);

}  // namespace korvix
