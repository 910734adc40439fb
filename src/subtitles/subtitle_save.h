// Saving korvix.subtitles while the game may be reading it.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "subtitles/subtitle_file.h"

namespace korvix {

struct SubtitleSaveResult {
  bool ok = false;
  std::string message;  // the status line's text, on success too
};

// Writes the file to PATH.new, flushes it and renames it over PATH, so the game
// sees the old file or the new one whole. A rename that fails (on Windows the
// game may have the file open for a moment) is tried again for about a second;
// the old file is never written into.
SubtitleSaveResult save_subtitles(const std::filesystem::path& path, const std::vector<SubtitleClip>& clips,
                                  std::string_view comments, std::string_view unread_before = {});

}  // namespace korvix
