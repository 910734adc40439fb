// Find and replace over clips: the matches of a search in the lines' words
// and, with "Also speaker names", in the clip's names. A clip's source is
// searched by the list's filter but never counted, stepped to or replaced.
//
// Within a clip the names come first (the speakers panel sits above the line
// table), speaker 1 to 10, then the lines in order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/document/text_find.h"
#include "subtitles/subtitle_file.h"

namespace korvix {

// One match: where it is and what it covers.
struct TextMatch {
  int32_t clip = -1;
  bool in_name = false;
  int32_t field = -1;  // the line, or the speaker whose name it is in
  size_t start = 0;    // in bytes, in that text
  size_t length = 0;
  bool operator==(const TextMatch&) const = default;
};

// It is still a match of `finder`, where it was.
bool still_matches(const std::vector<SubtitleClip>& clips, const TextMatch& match, const TextFinder& finder);

// The matches a clip has in its words (and names, when the finder asks).
size_t count_in_clip(const SubtitleClip& clip, const TextFinder& finder);

// F3 (+1) and Shift+F3 (-1): the next or previous match in the clips of
// `order` (the list's order), wrapping around. It goes on from `current` when
// that is in the selected clip: past it while it is still a match, else from
// where it was. Otherwise from the start of the selected clip, or of the list
// when the selected clip isn't listed. Nothing when no listed clip has a match.
std::optional<TextMatch> step_match(const std::vector<SubtitleClip>& clips, const std::vector<int32_t>& order,
                                    const TextFinder& finder, const std::optional<TextMatch>& current, int32_t selected,
                                    int direction);

// What replacing did, and what it left alone because the words or a name
// would have passed the field's limit.
struct ReplaceCount {
  size_t replaced = 0;
  size_t clips = 0;  // clips changed
  size_t lines_left = 0;
  size_t names_left = 0;
  ReplaceCount& operator+=(const ReplaceCount& other);
};

// Every match in the clip replaced by `with` (on one line; in names without
// "|"), each line and name on its own: one that would pass its limit stays as
// it was. Counts the clip as changed when anything was replaced.
ReplaceCount replace_in_clip(SubtitleClip& clip, const TextFinder& finder, std::string_view with);

// What `with` puts in at the match: on one line, and in a name without "|".
std::string replacement_text(const TextMatch& match, std::string_view with);

// The one match replaced, unless the text would pass its field's limit.
// Nothing happens when the match is gone.
enum class ReplaceOutcome { replaced, too_long, gone };
ReplaceOutcome replace_one(SubtitleClip& clip, const TextMatch& match, const TextFinder& finder, std::string_view with);

// "Replaced 37 in 12 clips." and, where texts were left, how many and why.
std::string replaced_message(const ReplaceCount& count);
// "37 matches in 12 clips"; "No matches".
std::string match_count_text(size_t matches, size_t clips);

}  // namespace korvix
