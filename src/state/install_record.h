// The record of which sources an install was built from: "korvix-version.txt"
// in the install folder and ".korvix-source" in the sources folder.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

#include "platform/file_stamp.h"

namespace korvix {

// Each field empty when unknown.
struct InstallRecord {
  std::string branch;
  std::string commit;
  std::string date;
};

extern const char* const install_record_file;  // "korvix-version.txt", in the install folder
extern const char* const source_record_file;   // ".korvix-source", in the sources folder

// A record is a few lines: of a larger file only this much is read.
inline constexpr size_t install_record_bytes_limit = 64 * 1024;

// A missing, unreadable or foreign file gives an empty record; other keys are
// ignored, and so is what lies beyond the limit.
InstallRecord read_install_record(const std::filesystem::path& path);

// Writes the three keys atomically, creating the folder when needed.
bool write_install_record(const std::filesystem::path& path, const InstallRecord& record);

// The records for a menu drawn every frame: a file is read again only when its
// size or modification time changed, so a frame costs two file-status calls.
class InstallRecordCache {
 public:
  // The record in the folder (empty for an unset folder, never the working folder's).
  const InstallRecord& installed(const std::filesystem::path& install_dir);
  const InstallRecord& sources(const std::filesystem::path& source_dir);

 private:
  FileCache<InstallRecord> installed_;
  FileCache<InstallRecord> sources_;
};

// The text after "Installed version": branch (or "?"), the short commit id and the
// date in brackets, from the install's record or else the sources' record;
// "unknown" when neither names a commit.
std::string installed_version_text(InstallRecordCache& records, const std::filesystem::path& install_dir,
                                   const std::filesystem::path& source_dir);

// The branch in the install folder's record, or empty.
std::string installed_branch(InstallRecordCache& records, const std::filesystem::path& install_dir);

}  // namespace korvix
