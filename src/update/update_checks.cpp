#include "update/update_checks.h"

#include <algorithm>
#include <limits>
#include <thread>

#include "platform/executable_path.h"
#include "update/version.h"

namespace korvix {
namespace {

constexpr size_t max_new_commits = 20;
const char* const experimental_channel = "experimental";
const char* const stable_tag_prefix = "launcher-v";

std::string prefix(const std::string& text, size_t length) { return text.substr(0, std::min(length, text.size())); }

bool is_commit_id(const std::string& text) {
  return text.size() == 40 && std::all_of(text.begin(), text.end(), [](char c) {
           return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
         });
}

// The commit a release was made from. GitHub names a branch there when the
// release was made on an existing tag; that branch's newest commit stands for it.
std::string release_commit(const ApiGet& get, const std::string& repo, const std::string& target_commitish) {
  if (target_commitish.empty() || is_commit_id(target_commitish)) return target_commitish;
  ApiReply commit = get(repo, "/commits/" + url_path_escaped(target_commitish));
  return commit.ok ? member(commit.value, "sha").text : std::string();
}

void store_branch_names(LauncherStatus& status, std::vector<std::string> names) {
  std::lock_guard lock(status.mutex);
  std::string chosen = status.chosen_branch();
  auto found = std::find(names.begin(), names.end(), chosen);
  if (found == names.end()) found = names.insert(names.end(), chosen);
  status.branch_index = static_cast<int32_t>(found - names.begin());
  status.branches = std::move(names);
}

void store_commit_comparison(LauncherStatus& status, uint32_t generation, CommitComparison result) {
  std::lock_guard lock(status.mutex);
  if (status.check_generation != generation) return;  // a newer comparison started
  status.check_state = result.ok ? check_done : check_failed;
  status.latest_commit = std::move(result.latest);
  status.behind_by = result.behind_by;
  status.ahead_by = result.ahead_by;
  status.new_commits = std::move(result.new_commits);
  status.check_error = std::move(result.error);
}

bool download_in_progress(const LauncherStatus& status) {
  return status.launcher_update == update_downloading || status.launcher_update == update_ready;
}

void store_release(LauncherStatus& status, int32_t generation, ReleaseFinding finding) {
  std::lock_guard lock(status.mutex);
  if (status.release_check_generation != generation || download_in_progress(status)) return;
  status.launcher_update = finding.available ? update_available : update_none_newer;
  status.launcher_version = std::move(finding.name);
  status.launcher_download_url = std::move(finding.download_url);
  status.launcher_size = static_cast<int64_t>(finding.size);
  status.launcher_digest = std::move(finding.digest);
  status.launcher_error.clear();
}

}  // namespace

int32_t json_to_int32(double number) {
  if (!(number > -2147483649.0 && number < 2147483648.0)) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(number);
}

uint64_t json_to_uint64(double number) {
  if (!(number > -1.0 && number < 18446744073709551616.0)) return 0;
  return static_cast<uint64_t>(number);
}

std::vector<std::string> fetch_branch_names(const ApiGet& get, const std::string& repo) {
  std::vector<std::string> names;
  ApiReply reply = get(repo, "/branches?per_page=100");
  if (!reply.ok || reply.value.type != json_array) return names;
  for (const JsonValue& branch : reply.value.items) {
    const JsonValue& name = member(branch, "name");
    if (name.type == json_string && !name.text.empty()) names.push_back(name.text);
  }
  return names;
}

CommitComparison fetch_commit_comparison(const ApiGet& get, const std::string& repo, const std::string& branch,
                                         const std::string& installed_commit) {
  CommitComparison result;
  ApiReply latest = get(repo, "/commits/" + url_path_escaped(branch));
  if (!latest.ok) {
    result.error = latest.error;
    return result;
  }
  const JsonValue& commit = member(latest.value, "commit");
  result.latest.id = member(latest.value, "sha").text;
  result.latest.date = prefix(member(member(commit, "committer"), "date").text, 10);
  result.latest.message = first_line(member(commit, "message").text);
  if (result.latest.id.empty()) {
    result.error = "GitHub doesn't know the branch " + branch + ".";
    return result;
  }
  result.ok = true;
  if (installed_commit.empty()) return result;
  if (installed_commit == result.latest.id) {
    result.behind_by = 0;
    result.ahead_by = 0;
    return result;
  }
  ApiReply compare =
      get(repo, "/compare/" + url_path_escaped(installed_commit) + "..." + url_path_escaped(result.latest.id));
  if (!compare.ok) return result;  // counts stay undetermined; this error isn't shown
  // GitHub counts from the install's side: its "ahead_by" is what the install lacks.
  result.behind_by = json_to_int32(member(compare.value, "ahead_by").number);
  result.ahead_by = json_to_int32(member(compare.value, "behind_by").number);
  const std::vector<JsonValue>& commits = member(compare.value, "commits").items;
  for (auto it = commits.rbegin(); it != commits.rend() && result.new_commits.size() < max_new_commits; ++it) {
    result.new_commits.push_back(prefix(member(*it, "sha").text, 7) + "  " +
                                 first_line(member(member(*it, "commit"), "message").text));
  }
  return result;
}

ReleaseFinding fetch_release(const ApiGet& get, const std::string& repo, const std::string& channel) {
  ReleaseFinding finding;
  ApiReply release;
  bool newer = false;
  if (channel == experimental_channel) {
    release = get(repo, "/releases/tags/launcher-experimental");
    std::string commit;
    if (release.ok) {
      commit = release_commit(get, repo, member(release.value, "target_commitish").text);
      finding.name = "experimental " + prefix(commit, 7);
    }
    if (!commit.empty() && commit != launcher_build_commit) {
      ApiReply compare = get(repo, "/compare/" + std::string(launcher_build_commit) + "..." + url_path_escaped(commit));
      // When the comparison fails the release is offered anyway.
      newer = !compare.ok || json_to_int32(member(compare.value, "ahead_by").number) > 0;
    }
  } else {
    release = get(repo, "/releases/latest");
    std::string tag = member(release.value, "tag_name").text;
    if (tag.size() >= 10 && tag.compare(0, 10, stable_tag_prefix) == 0) tag.erase(0, 10);
    finding.name = "v" + tag;
    newer = !tag.empty() && version_newer(tag, launcher_own_version);
  }
  if (release.ok) {
    for (const JsonValue& asset : member(release.value, "assets").items) {
      if (member(asset, "name").text != launcher_release_asset) continue;
      // Only over HTTPS: the launcher replaces itself with what it gets.
      if (!is_trusted_download_address(member(asset, "browser_download_url").text)) continue;
      finding.download_url = member(asset, "browser_download_url").text;
      finding.size = json_to_uint64(member(asset, "size").number);
      finding.digest = member(asset, "digest").text;
    }
  }
  finding.available = release.ok && !finding.download_url.empty() && newer;
  return finding;
}

void supersede_checks(LauncherStatus& status) {
  ++status.check_generation;
  ++status.release_check_generation;
}

void start_branch_list(std::shared_ptr<LauncherStatus> status, std::string repo, ApiGet get) {
  std::thread([status = std::move(status), repo = std::move(repo), get = std::move(get)] {
    std::vector<std::string> names = fetch_branch_names(get, repo);
    if (!names.empty()) store_branch_names(*status, std::move(names));
  }).detach();
}

void start_commit_check(std::shared_ptr<LauncherStatus> status, std::string repo, std::string installed_commit,
                        ApiGet get) {
  std::string branch;
  uint32_t generation = 0;
  {
    std::lock_guard lock(status->mutex);
    branch = status->chosen_branch();
    generation = ++status->check_generation;
    status->check_state = check_running;
    status->checked_branch = branch;
    status->latest_commit = {};
    status->behind_by = -1;
    status->ahead_by = -1;
    status->new_commits.clear();
    status->check_error.clear();
  }
  std::thread([status = std::move(status), repo = std::move(repo), branch = std::move(branch),
               installed_commit = std::move(installed_commit), get = std::move(get), generation] {
    store_commit_comparison(*status, generation, fetch_commit_comparison(get, repo, branch, installed_commit));
  }).detach();
}

void store_built_commit(LauncherStatus& status, const std::string& branch, CommitInfo built) {
  std::lock_guard lock(status.mutex);
  ++status.check_generation;
  status.check_state = check_done;
  status.checked_branch = branch;
  status.latest_commit = std::move(built);
  status.behind_by = 0;
  status.ahead_by = 0;
  status.new_commits.clear();
  status.check_error.clear();
}

void start_launcher_check(std::shared_ptr<LauncherStatus> status, std::string repo, ApiGet get) {
  std::string channel;
  int32_t generation = 0;
  {
    std::lock_guard lock(status->mutex);
    if (download_in_progress(*status)) return;
    channel = status->chosen_branch();
    generation = ++status->release_check_generation;
    if (status->launcher_update != update_available) status->launcher_update = update_checking;
  }
  std::thread([status = std::move(status), repo = std::move(repo), channel = std::move(channel),
               get = std::move(get), generation] {
    store_release(*status, generation, fetch_release(get, repo, channel));
  }).detach();
}

}  // namespace korvix
