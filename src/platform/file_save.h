// Atomic saves: every file the launcher rewrites goes through here.
//
// The bytes go to a temporary file in the target's folder, are flushed to disk,
// and the temporary file is then renamed over the target. A crash or a full disk
// therefore leaves either the old file or the new one, never a truncated one.
#pragma once

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
};

// Writes `bytes` to `target` atomically. On failure the target is untouched,
// the temporary file is removed, and `error` (when given) holds a one-line reason.
bool save_file_atomically(const std::filesystem::path& target, std::string_view bytes,
                          const SaveOptions& options = {}, std::string* error = nullptr);

}  // namespace korvix
