#include "subtitles/subtitle_save.h"

#include "platform/file_save.h"
#include "platform/paths.h"

namespace korvix {

SubtitleSaveResult save_subtitles(const std::filesystem::path& path, const std::vector<SubtitleClip>& clips,
                                  std::string_view comments, std::string_view unread_before) {
  SaveOptions options;
  options.temp_suffix = ".new";
  options.replace_retry_for = std::chrono::milliseconds(1000);
  SaveResult saved = save_file(path, write_subtitles(clips, comments, unread_before), options);
  std::string shown = path_to_text(path).value_or("korvix.subtitles");
  switch (saved.failed_at) {
    case SaveStep::done:
      return {true, "Saved. The game picks it up within a couple of seconds."};
    case SaveStep::writing:
      return {false, "Couldn't save " + shown + "."};
    default:
      return {false, "Couldn't save " + shown + " (" + saved.reason + ")."};
  }
}

}  // namespace korvix
