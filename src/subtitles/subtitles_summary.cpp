#include "subtitles/subtitles_summary.h"

#include "platform/file_read.h"
#include "subtitles/subtitle_paths.h"

namespace korvix {

std::string count_text(uint64_t n, std::string_view singular, std::string_view plural) {
  std::string text = std::to_string(n);
  text += ' ';
  text.append(n == 1 ? singular : plural);
  return text;
}

SubtitleCounts count_subtitles(const std::vector<SubtitleClip>& clips) {
  SubtitleCounts counts;
  for (const SubtitleClip& clip : clips) {
    counts.lines += clip.lines.size();
    ++(clip.kind == ClipKind::video ? counts.movies : counts.sounds);
    if (clip.edited) ++counts.corrected;
  }
  return counts;
}

std::string summary_text(const SubtitleCounts& counts) {
  std::string text = count_text(counts.lines, "line", "lines") + " in " + count_text(counts.sounds, "sound", "sounds") +
                     " and " + count_text(counts.movies, "movie", "movies");
  if (counts.corrected > 0) text += ", " + std::to_string(counts.corrected) + " corrected by hand";
  return text;
}

std::string subtitles_summary(const std::filesystem::path& install_dir) {
  std::optional<std::string> content = read_file_bytes(subtitle_file_path(install_dir));
  std::vector<SubtitleClip> clips;
  if (!content || !read_subtitles(*content, clips)) return {};
  return summary_text(count_subtitles(clips));
}

const std::string& SubtitlesSummaryCache::get(const std::filesystem::path& install_dir) {
  return summary_.get(subtitle_file_path(install_dir), [&](const FileStamp& stamp) {
    return stamp.exists ? subtitles_summary(install_dir) : std::string();
  });
}

}  // namespace korvix
