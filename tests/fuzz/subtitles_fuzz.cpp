// korvix.subtitles over any bytes (the subtitle maker, the game's tools and the
// player write it): no crash, and writing is idempotent:
// write(read(write(read(x)))) equals write(read(x)). The first write may change
// texts (tabs and line breaks become blanks), so read(x) itself need not
// survive, but no clip, no line and no line it couldn't read is lost by it.
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "subtitles/subtitle_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text = korvix::fuzz::as_text(data, size);
  std::vector<korvix::SubtitleClip> clips;
  std::string error;
  std::string unread;
  if (!korvix::read_subtitles(text, clips, &error, &unread)) {
    FUZZ_CHECK(clips.empty() && !error.empty());
    return 0;
  }
  std::string once = korvix::write_subtitles(clips, korvix::read_header_comments(text), unread);

  std::vector<korvix::SubtitleClip> again;
  std::string unread_again;
  FUZZ_CHECK(korvix::read_subtitles(once, again, nullptr, &unread_again));
  FUZZ_CHECK(again.size() == clips.size());
  FUZZ_CHECK(korvix::unread_line_count(again, unread_again) == korvix::unread_line_count(clips, unread));
  for (size_t i = 0; i < clips.size() && i < again.size(); ++i) {
    FUZZ_CHECK(again[i].lines.size() == clips[i].lines.size());
    FUZZ_CHECK(again[i].keys == clips[i].keys && again[i].kind == clips[i].kind);
  }
  std::string twice = korvix::write_subtitles(again, korvix::read_header_comments(once), unread_again);
  FUZZ_CHECK(twice == once);
  return 0;
}
