// The subtitles page's one-line summary of the install's subtitle file:
// "250 lines in 120 sounds and 3 movies, 2 corrected by hand".
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_stamp.h"
#include "subtitles/subtitle_file.h"

namespace korvix {

// "1 line", "0 lines", "2 lines": the singular for 1 only.
std::string count_text(uint64_t n, std::string_view singular, std::string_view plural);

struct SubtitleCounts {
  uint64_t lines = 0;
  uint64_t sounds = 0;  // clips that are not movies
  uint64_t movies = 0;
  uint64_t corrected = 0;
};

SubtitleCounts count_subtitles(const std::vector<SubtitleClip>& clips);
std::string summary_text(const SubtitleCounts& counts);

// The summary of the install's subtitle file; empty when it is missing or
// doesn't read as a subtitle file.
std::string subtitles_summary(const std::filesystem::path& install_dir);

// The same for a page drawn every frame: the file is read again only when its
// size or modification time changed, so a frame costs two file-status calls.
class SubtitlesSummaryCache {
 public:
  const std::string& get(const std::filesystem::path& install_dir);

 private:
  FileCache<std::string> summary_;
};

}  // namespace korvix
