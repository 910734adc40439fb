// Atomic saves: every file the launcher rewrites goes through here.
//
// The bytes go to a temporary file in the target's folder, are flushed to disk,
// and the temporary file is then renamed over the target. A crash or a full disk
// therefore leaves either the old file or the new one, never a truncated one.
//
// The new file keeps the old one's identity as far as a rename allows: a target
// that is a link stays one (the file it leads to is replaced, beside itself),
// the new file gets the old one's permission bits (its attributes on Windows),
// and a read-only file is not replaced: the save fails at its replacing step.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>

namespace korvix {

struct SaveOptions {
  // Name of the temporary file, appended to the target's file name. Empty picks
  // a name unique to this process and call.
  std::string temp_suffix;
  // Create the target's folder (and its parents) first.
  bool create_folders = false;
  // How long to keep trying the rename when it fails. On Windows a program that
  // has the target open without sharing its deletion blocks it for a moment.
  std::chrono::milliseconds replace_retry_for{0};
};

enum class SaveStep {
  done,
  writing,    // the temporary file could not be written whole
  replacing,  // it was written, but could not be renamed over the target
};

struct SaveResult {
  SaveStep failed_at = SaveStep::done;
  std::string reason;  // the system's one-line text, when a step failed
  bool ok() const { return failed_at == SaveStep::done; }
};

// Writes `bytes` to `target` atomically. On failure the target is untouched and
// the temporary file is removed; the result tells which step failed and why.
SaveResult save_file(const std::filesystem::path& target, std::string_view bytes, const SaveOptions& options = {});

// The same, as a success flag and (when given) the reason of a failure.
bool save_file_atomically(const std::filesystem::path& target, std::string_view bytes, const SaveOptions& options = {},
                          std::string* error = nullptr);

}  // namespace korvix
