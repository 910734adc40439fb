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

// "-g": no globbing, so "{}" and "[]" in an address are plain characters.
std::vector<std::string> api_get_arguments(const std::string& url) {
  return {curl_program, "-fsSL", "-g", "--max-time", "20", "-H", user_agent_header, "-H", accept_header, url};
}

std::vector<std::string> download_arguments(const std::string& url, const std::string& target) {
  return {curl_program, "-fsSL", "-g", "--max-time", "900", "-H", user_agent_header, "-o", target, url};
}

std::string url_path_escaped(std::string_view text) {
  constexpr std::string_view kept = "-._~!$&'()*+,;=:@/";
  constexpr char hex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    bool plain = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9') ||
                 kept.find(c) != std::string_view::npos;
    if (plain) {
      out.push_back(c);
    } else {
      out.push_back('%');
      out.push_back(hex[byte >> 4]);
      out.push_back(hex[byte & 15]);
    }
  }
  return out;
}

bool is_trusted_download_address(std::string_view url) {
  if (url.starts_with("https://")) return true;
  std::optional<std::string> base = env_var("KORVIX_LAUNCHER_API_BASE");
  if (!base) return false;
  // The origin of the base: scheme, "://", host and port, and the "/" after them.
  size_t host = base->find("://");
  if (host == std::string::npos) return false;
  size_t path = base->find('/', host + 3);
  std::string_view origin = std::string_view(*base).substr(0, path == std::string::npos ? base->size() : path + 1);
  return origin.size() > host + 3 && origin.back() == '/' && url.starts_with(origin);
}

ApiReply api_reply_from_curl(const RunResult& curl, const std::string& output) {
  ApiReply reply;
  if (!curl.started()) {
    reply.error = curl.start_error;
    return reply;
  }
  if (curl.output_cut) {
    reply.error = "Unexpected reply from GitHub.";
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
  RunResult curl =
      ProcessRunner::run_captured(api_get_arguments(api_base() + repo + path), output, nullptr, api_reply_limit);
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
