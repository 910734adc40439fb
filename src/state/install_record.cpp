#include "state/install_record.h"

#include "app/launcher_app.h"
#include "state/key_value_file.h"

namespace korvix {

const char* const install_record_file = "korvix-version.txt";
const char* const source_record_file = ".korvix-source";

namespace {

// An unset folder has no record; never fall back to the working folder.
InstallRecord record_in(const std::filesystem::path& folder, const char* file) {
  if (folder.empty()) return {};
  return read_install_record(folder / file);
}

}  // namespace

InstallRecord read_install_record(const std::filesystem::path& path) {
  KeyValues entries = read_ini(path, install_record_bytes_limit);
  InstallRecord record;
  if (auto it = entries.find("branch"); it != entries.end()) record.branch = it->second;
  if (auto it = entries.find("commit"); it != entries.end()) record.commit = it->second;
  if (auto it = entries.find("date"); it != entries.end()) record.date = it->second;
  return record;
}

bool write_install_record(const std::filesystem::path& path, const InstallRecord& record) {
  return write_ini(path, {{"branch", record.branch}, {"commit", record.commit}, {"date", record.date}});
}

std::string installed_version_text(const LauncherApp& app) {
  InstallRecord record = record_in(app.install_dir, install_record_file);
  if (record.commit.empty()) record = record_in(app.source_dir, source_record_file);
  if (record.commit.empty()) return "unknown";
  std::string text = record.branch.empty() ? "?" : record.branch;
  text += ' ';
  text += record.commit.substr(0, 7);
  if (!record.date.empty()) text += " (" + record.date + ")";
  return text;
}

std::string installed_branch(const LauncherApp& app) { return record_in(app.install_dir, install_record_file).branch; }

}  // namespace korvix
