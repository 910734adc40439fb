// groups.txt over any bytes, against the clips of a subtitle file. The input
// is the subtitle file followed by the groups file, which starts at the first
// line that begins with "korvix-subtitle-groups" (no such line: no groups
// file). No crash; a group never holds more clips of a source than the file
// has; and writing is idempotent: what was written once reads back and writes
// again as the same bytes, whenever the clips' sources hold no carriage return
// (which the groups file can't keep).
#include <map>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "subtitles/clip_groups.h"
#include "subtitles/subtitle_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input = korvix::fuzz::as_text(data, size);
  constexpr std::string_view header = "korvix-subtitle-groups";
  size_t split = input.starts_with(header) ? 0 : input.find("\n" + std::string(header));
  if (split != 0 && split != std::string_view::npos) ++split;
  std::string_view subtitles = input.substr(0, split);
  std::string_view groups_file = split == std::string_view::npos ? std::string_view() : input.substr(split);

  std::vector<korvix::SubtitleClip> clips;
  korvix::read_subtitles(subtitles, clips);
  std::map<std::string, int> free;
  bool sources_keepable = true;
  for (const korvix::SubtitleClip& clip : clips) {
    ++free[clip.source];
    sources_keepable = sources_keepable && clip.source.find('\r') == std::string::npos;
  }

  korvix::ClipGroups groups = korvix::parse_groups(groups_file, clips);
  for (const korvix::ClipGroup& group : groups.groups) {
    FUZZ_CHECK(group.name.find('\n') == std::string::npos);
    for (const std::string& source : group.sources) FUZZ_CHECK(--free[source] >= 0);
  }

  std::string once = korvix::format_groups(groups);
  korvix::ClipGroups again = korvix::parse_groups(once, clips);
  if (!sources_keepable) return 0;
  FUZZ_CHECK(again.groups.size() == groups.groups.size() && again.ungrouped_open == groups.ungrouped_open);
  FUZZ_CHECK(korvix::format_groups(again) == once);
  return 0;
}
