#include "update/http.h"

#include "install/process_runner.h"
#include "platform/environment.h"
#include "platform/programs.h"

namespace korvix {
namespace {

const char* const github_api_base = "https://api.github.com/repos/";
const char* const user_agent_header = "User-Agent: korvix-velarine-launcher";
const char* const accept_header = "Accept: application/vnd.github+json";

}  // namespace

std::string api_base() {
  std::optional<std::string> base = env_var("KORVIX_LAUNCHER_API_BASE");
  return base ? *base : std::string(github_api_base);
}

std::vector<std::string> api_get_arguments(const std::string& url) {
  return {curl_program, "-fsSL", "--max-time", "20", "-H", user_agent_header, "-H", accept_header, url};
}

std::vector<std::string> download_arguments(const std::string& url, const std::string& target) {
  return {curl_program, "-fsSL", "--max-time", "900", "-H", user_agent_header, "-o", target, url};
}

ApiReply api_reply_from_curl(const RunResult& curl, const std::string& output) {
  ApiReply reply;
  if (!curl.started()) {
    reply.error = curl.start_error;
    return reply;
  }
  if (curl.exit_code != 0) {
    reply.error = "Couldn't reach GitHub (" + first_line(output) + ")";
    return reply;
  }
  JsonParse parsed = parse_json(output);
  if (!parsed.ok) {
    reply.error = "Unexpected reply from GitHub.";
    return reply;
  }
  reply.ok = true;
  reply.value = std::move(parsed.value);
  return reply;
}

ApiReply api_get(const std::string& repo, const std::string& path) {
  std::string output;
  RunResult curl = ProcessRunner::run_captured(api_get_arguments(api_base() + repo + path), output);
  return api_reply_from_curl(curl, output);
}

DownloadResult download_file(const std::string& url, const std::string& target) {
  std::string output;
  RunResult curl = ProcessRunner::run_captured(download_arguments(url, target), output);
  DownloadResult result;
  if (!curl.started()) {
    result.error = curl.start_error;
  } else if (curl.exit_code != 0) {
    result.error = "download failed (" + first_line(output) + ")";
  } else {
    result.ok = true;
  }
  return result;
}

std::string first_line(std::string_view text) {
  size_t end = text.find('\n');
  if (end == std::string_view::npos) end = text.size();
  while (end > 0 && (text[end - 1] == '\r' || text[end - 1] == ' ')) --end;
  return std::string(text.substr(0, end));
}

}  // namespace korvix
