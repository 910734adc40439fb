#include "install/install_flow.h"

#include <sstream>
#include <system_error>

#include "install/process_runner.h"
#include "install/progress_parser.h"
#include "install/tree_copy.h"
#include "platform/environment.h"
#include "platform/links.h"
#include "platform/paths.h"
#include "platform/programs.h"
#include "state/folders.h"
#include "state/install_record.h"
#include "platform/file_read.h"
#include "update/http.h"
#include "update/self_update.h"
#include "update/update_checks.h"

namespace korvix {

namespace fs = std::filesystem;

namespace {

const char* const github_archive_base = "https://codeload.github.com/";

bool contains(std::string_view text, std::string_view word) { return text.find(word) != std::string_view::npos; }

// The sources of one flow: the commit they were made from, or a failure text.
struct SourcesResult {
  bool ok = false;
  bool stopped = false;  // Stop was noticed between two steps
  InstallRecord record;
  std::string subject;  // the commit's message, its first line
  std::string error;
};

SourcesResult get_sources_with_git(LauncherStatus& status, const fs::path& sources, const std::string& branch) {
  SourcesResult result;
  ProgressParser::set_step(status, "Getting " + branch + " (git)");
  std::string s = to_utf8(sources);
  // An explicit destination: a single-branch or shallow clone keeps no
  // origin/<branch> of a branch it doesn't track, and the checkout needs one.
  std::string refspec = "+refs/heads/" + branch + ":refs/remotes/origin/" + branch;
  bool ok =
      run_job_program(status, {git_program, "-C", s, "fetch", "origin", refspec}, sources) == 0 &&
      run_job_program(status, {git_program, "-C", s, "checkout", "-f", "-B", branch, "origin/" + branch}, sources) == 0;
  if (!ok) {
    result.error = "Getting the sources with git failed.";
    return result;
  }
  std::string output;
  ProcessRunner::run_captured({git_program, "-C", s, "log", "-1", "--format=%H %cs %s"}, output,
                              &status.cancel_requested);
  std::istringstream words(output);
  result.record.branch = branch;
  words >> result.record.commit >> result.record.date;
  std::getline(words >> std::ws, result.subject);
  result.ok = true;
  return result;
}

// The last folder of `folder` in listing order, or an empty path. A link to a
// folder is no folder of the download.
fs::path last_folder_in(const fs::path& folder) {
  fs::path found;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::error_code kind_error;
    if (it->symlink_status(kind_error).type() == fs::file_type::directory && !is_link_entry(*it)) found = it->path();
  }
  return found;
}

SourcesResult get_sources_from_archive(const JobInputs& inputs, const std::string& branch) {
  LauncherStatus& status = *inputs.status;
  SourcesResult result;
  ProgressParser::set_step(status, "Getting " + branch + " from GitHub");
  CommitComparison latest = fetch_commit_comparison(api_get, inputs.repo, branch, "");
  if (!latest.ok) {
    result.error = latest.error;
    return result;
  }
  const CommitInfo& commit = latest.latest;
  ProgressParser::append_log(status, commit.id.substr(0, 7) + " " + commit.date + " " + commit.message);

  fs::path sources = inputs.source_dir.has_filename() ? inputs.source_dir : inputs.source_dir.parent_path();
  fs::path download = sources.parent_path() / ".korvix-download";
  // curl and tar run in the download folder and get these as relative names:
  // Windows' tar maps characters outside the ANSI code page of an absolute path
  // (a user name such as "Łukasz") to look-alikes, and then finds nothing.
  const char* const archive_name = "sources.tar.gz";
  const char* const unpacked_name = "x";
  fs::path unpacked = download / unpacked_name;
  std::error_code error;
  fs::remove_all(download, error);
  fs::create_directories(unpacked, error);

  std::string url = archive_base() + inputs.repo + "/tar.gz/" + url_path_escaped(commit.id);
  if (run_job_program(status, {curl_program, "-fsSL", "-g", "--retry", "3", "-o", archive_name, url}, download) != 0) {
    result.error = "Downloading the sources failed.";
    return result;
  }
  if (status.cancel_requested.load()) {
    result.stopped = true;
    return result;
  }
  if (run_job_program(status, {tar_program, "-xzf", archive_name, "-C", unpacked_name}, download) != 0) {
    result.error = "Unpacking the sources failed.";
    return result;
  }
  fs::path tree = last_folder_in(unpacked);
  if (tree.empty()) {
    result.error = "The download was empty.";
    return result;
  }
  // Files that only the sources folder has (the script's logs, earlier builds) stay.
  TreeCopy copy = copy_tree(tree, inputs.source_dir);
  for (const fs::path& link : copy.links_left_out)
    ProgressParser::append_log(status, "Left out the link " + to_utf8(link.lexically_relative(tree)));
  if (copy.error) {
    result.error = "Copying the sources failed: " + copy.error.message();
    return result;
  }
  result.record = {branch, commit.id, commit.date};
  result.subject = commit.message;
  // The record is the launcher's: an entry of the download under its name, a
  // link perhaps, gives way rather than be written through.
  fs::path record = inputs.source_dir / source_record_file;
  if (is_link_entry(fs::directory_entry(record, error))) fs::remove(record, error);
  write_install_record(record, result.record);
  fs::remove_all(download, error);
  result.ok = true;
  return result;
}

}  // namespace

std::string archive_base() {
  std::optional<std::string> base = env_var("KORVIX_LAUNCHER_ARCHIVE_BASE");
  return base ? *base : std::string(github_archive_base);
}

std::vector<std::string> install_script_arguments(const JobInputs& inputs, bool install, const fs::path& disc_image,
                                                  const fs::path& build_dir, std::string_view script) {
  std::vector<std::string> args = {powershell_program, "-NoProfile", "-ExecutionPolicy", "Bypass", "-File",
                                   to_utf8(build_dir / "installer" / "Install-Korvix.ps1")};
  if (install) {
    args.insert(args.end(), {"-Iso", to_utf8(disc_image)});
  } else {
    args.insert(args.end(), {"-GameDir", to_utf8(inputs.install_dir / "game")});
  }
  args.insert(args.end(), {"-InstallDir", to_utf8(inputs.install_dir), "-Yes", "-UpscaleTextures",
                           install && inputs.upscale_on_install ? "yes" : "no"});
  if (contains(script, "$Subtitles"))
    args.insert(args.end(), {"-Subtitles", install && inputs.subtitles_on_install ? "yes" : "no"});
  if (install && contains(script, "$Graphics"))
    args.insert(args.end(), {"-Graphics", inputs.original_graphics ? "original" : "velarine"});
  if (contains(script, "NoShortcut")) args.push_back("-NoShortcut");
  return args;
}

void run_install_job(JobInputs inputs, bool install, std::string branch, fs::path disc_image) {
  LauncherStatus& status = *inputs.status;
  const fs::path& install_dir = inputs.install_dir;
  const fs::path& sources = inputs.source_dir;
  ProgressParser::append_log(status, "Install folder: " + to_utf8(install_dir));
  ProgressParser::append_log(status, "Sources: " + to_utf8(sources));

  std::error_code error;
  bool use_git = fs::symlink_status(sources / ".git", error).type() != fs::file_type::not_found && !error;
  SourcesResult got = use_git ? get_sources_with_git(status, sources, branch) : get_sources_from_archive(inputs, branch);
  if (!got.ok) {
    ProgressParser::finish(status, got.stopped ? outcome_stopped : outcome_failed, got.error);
    return;
  }
  if (status.cancel_requested.load()) {
    ProgressParser::finish(status, outcome_stopped, "");
    return;
  }

  ProgressParser::set_step(
      status, install ? "Extracting the game and building (the first build takes a long time)" : "Building");
  fs::create_directories(install_dir, error);
  fs::path build_dir = space_free_path(sources);
  if (build_dir != sources) ProgressParser::append_log(status, "Building in " + to_utf8(build_dir));

  std::string script = read_file_bytes(sources / "installer" / "Install-Korvix.ps1").value_or(std::string());
  int result = run_job_program(status, install_script_arguments(inputs, install, disc_image, build_dir, script), build_dir);
  if (result != 0) {
    ProgressParser::finish(status, outcome_failed,
                           "The build failed (exit " + std::to_string(result) + "). Its logs are in " +
                               to_utf8(sources / "logs") + ".");
    return;
  }
  if (!is_installed(install_dir)) {
    ProgressParser::finish(status, outcome_failed,
                           "The installer finished but the game isn't in " + to_utf8(install_dir) + ".");
    return;
  }
  if (!write_install_record(install_dir / install_record_file, got.record))
    ProgressParser::append_log(status, "Couldn't write " + to_utf8(install_dir / install_record_file));
  keep_launcher_in_install_folder(install_dir);
  // The sources were the branch's newest: "Update" no longer offers what was built.
  store_built_commit(status, branch, {got.record.commit, got.record.date, got.subject});
  ProgressParser::finish(status, outcome_succeeded, "");
}

}  // namespace korvix
