#include "state/install_record.h"

#include "state/key_value_file.h"

namespace korvix {

const char* const install_record_file = "korvix-version.txt";
const char* const source_record_file = ".korvix-source";

namespace {

// An unset folder has no record; never fall back to the working folder.
const InstallRecord& cached_record(FileCache<InstallRecord>& cache, const std::filesystem::path& folder,
                                   const char* file) {
  static const InstallRecord none;
  if (folder.empty()) return none;
  return cache.get(folder / file, [](const FileStamp& stamp) {
    return stamp.exists ? read_install_record(stamp.file) : InstallRecord();
  });
}

}  // namespace

const InstallRecord& InstallRecordCache::installed(const std::filesystem::path& install_dir) {
  return cached_record(installed_, install_dir, install_record_file);
}

const InstallRecord& InstallRecordCache::sources(const std::filesystem::path& source_dir) {
  return cached_record(sources_, source_dir, source_record_file);
}

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

std::string installed_version_text(InstallRecordCache& records, const std::filesystem::path& install_dir,
                                   const std::filesystem::path& source_dir) {
  const InstallRecord* record = &records.installed(install_dir);
  if (record->commit.empty()) record = &records.sources(source_dir);
  if (record->commit.empty()) return "unknown";
  std::string text = record->branch.empty() ? "?" : record->branch;
  text += ' ';
  text += record->commit.substr(0, 7);
  if (!record->date.empty()) text += " (" + record->date + ")";
  return text;
}

std::string installed_branch(InstallRecordCache& records, const std::filesystem::path& install_dir) {
  return records.installed(install_dir).branch;
}

}  // namespace korvix
