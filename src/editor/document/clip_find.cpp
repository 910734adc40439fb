#include "editor/document/clip_find.h"

#include <algorithm>

#include "editor/document/typed_text.h"

namespace korvix {

namespace {

// A clip's searched texts in find order, by rank: the names 0 to 9, then the
// lines from 10 on.
constexpr int32_t first_line_rank = speaker_count_max;

int32_t rank_end(const SubtitleClip& clip) { return first_line_rank + static_cast<int32_t>(clip.lines.size()); }

// The text of a rank; null for a name when names aren't searched.
const std::string* ranked_text(const SubtitleClip& clip, int32_t rank, const TextFinder& finder) {
  if (rank < 0) return nullptr;
  if (rank < first_line_rank) return finder.options().names ? &clip.names[static_cast<size_t>(rank)] : nullptr;
  size_t line = static_cast<size_t>(rank - first_line_rank);
  return line < clip.lines.size() ? &clip.lines[line].text : nullptr;
}

int32_t rank_of(const TextMatch& match) { return match.in_name ? match.field : first_line_rank + match.field; }

TextMatch match_at(int32_t clip, int32_t rank, size_t start, size_t length) {
  bool name = rank < first_line_rank;
  return {clip, name, name ? rank : rank - first_line_rank, start, length};
}

// The text a match is in (a const one in a const clip); null when it is gone.
template <typename Clip>
auto field_of(Clip& clip, const TextMatch& match) -> decltype(&clip.source) {
  if (match.field < 0) return nullptr;
  size_t field = static_cast<size_t>(match.field);
  if (match.in_name) return field < clip.names.size() ? &clip.names[field] : nullptr;
  return field < clip.lines.size() ? &clip.lines[field].text : nullptr;
}

// The text still holds the match, one the finder looks for (names only when it looks in names).
bool is_match(const std::string* text, const TextMatch& match, const TextFinder& finder) {
  return text && (!match.in_name || finder.options().names) && match.length == finder.size() &&
         finder.matches_at(*text, match.start);
}

// Whether a field may take `after` in place of `before`: no longer than its
// limit, unless it was longer already (a text read from the file) and doesn't grow.
bool fits_field(std::string_view before, std::string_view after, size_t limit) {
  return after.size() <= std::max(limit, before.size());
}

// Where a search starts in a clip: a rank and a byte in its text.
struct Place {
  int32_t rank = 0;
  size_t at = 0;
};

// The first match at or after `from` in the clip.
std::optional<TextMatch> first_from(const SubtitleClip& clip, int32_t index, const TextFinder& finder, Place from) {
  for (int32_t rank = from.rank; rank < rank_end(clip); ++rank) {
    const std::string* text = ranked_text(clip, rank, finder);
    if (!text) continue;
    size_t at = finder.find(*text, rank == from.rank ? from.at : 0);
    if (at != TextFinder::npos) return match_at(index, rank, at, finder.size());
  }
  return std::nullopt;
}

// The last match that starts before `before` in the clip.
std::optional<TextMatch> last_before(const SubtitleClip& clip, int32_t index, const TextFinder& finder, Place before) {
  for (int32_t rank = std::min(before.rank, rank_end(clip) - 1); rank >= 0; --rank) {
    const std::string* text = ranked_text(clip, rank, finder);
    if (!text) continue;
    size_t at = finder.find_last_before(*text, rank == before.rank ? before.at : TextFinder::npos);
    if (at != TextFinder::npos) return match_at(index, rank, at, finder.size());
  }
  return std::nullopt;
}

std::string plural(size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

ReplaceCount& ReplaceCount::operator+=(const ReplaceCount& other) {
  replaced += other.replaced;
  clips += other.clips;
  lines_left += other.lines_left;
  names_left += other.names_left;
  return *this;
}

bool still_matches(const std::vector<SubtitleClip>& clips, const TextMatch& match, const TextFinder& finder) {
  if (match.clip < 0 || static_cast<size_t>(match.clip) >= clips.size()) return false;
  const SubtitleClip& clip = clips[static_cast<size_t>(match.clip)];
  return is_match(field_of(clip, match), match, finder);
}

size_t count_in_clip(const SubtitleClip& clip, const TextFinder& finder) {
  if (finder.empty()) return 0;
  size_t count = 0;
  if (finder.options().names) {
    for (const std::string& name : clip.names) count += finder.count(name);
  }
  for (const SubtitleLine& line : clip.lines) count += finder.count(line.text);
  return count;
}

std::optional<TextMatch> step_match(const std::vector<SubtitleClip>& clips, const std::vector<int32_t>& order,
                                    const TextFinder& finder, const std::optional<TextMatch>& current, int32_t selected,
                                    int direction) {
  if (finder.empty() || order.empty()) return std::nullopt;
  const size_t n = order.size();
  // The clip to start in and the place in it. A search forward takes a match
  // at that place; one backward takes only those before it.
  size_t start = static_cast<size_t>(std::find(order.begin(), order.end(), selected) - order.begin());
  Place place;
  if (start == n) {
    start = 0;  // not listed: from the start of the list (backward: its end)
  } else if (current && current->clip == selected) {
    place = {rank_of(*current), current->start};
    if (direction > 0 && still_matches(clips, *current, finder)) place.at += current->length;
  }
  // The start clip once more at the end: what lies before the place, after wrapping.
  for (size_t k = 0; k <= n; ++k) {
    size_t position = direction > 0 ? (start + k) % n : (start + n - k % n) % n;
    int32_t index = order[position];
    if (index < 0 || static_cast<size_t>(index) >= clips.size()) continue;
    const SubtitleClip& clip = clips[static_cast<size_t>(index)];
    std::optional<TextMatch> found;
    if (direction > 0) {
      found = first_from(clip, index, finder, k == 0 ? place : Place{});
    } else {
      found = last_before(clip, index, finder, k == 0 ? place : Place{rank_end(clip), TextFinder::npos});
    }
    if (found) return found;
  }
  return std::nullopt;
}

ReplaceCount replace_in_clip(SubtitleClip& clip, const TextFinder& finder, std::string_view with) {
  ReplaceCount count;
  auto replace_field = [&](std::string& text, std::string_view put, size_t limit, size_t& left) {
    size_t replaced = 0;
    std::string changed = replace_matches(text, finder, put, replaced);
    if (replaced == 0) return;
    if (!fits_field(text, changed, limit)) {
      ++left;
      return;
    }
    text = std::move(changed);
    count.replaced += replaced;
  };
  if (finder.empty()) return count;
  if (finder.options().names) {
    const std::string name_with = name_text(with);
    for (std::string& name : clip.names) replace_field(name, name_with, name_max_bytes, count.names_left);
  }
  const std::string words_with = one_line(with);
  for (SubtitleLine& line : clip.lines) replace_field(line.text, words_with, words_max_bytes, count.lines_left);
  count.clips = count.replaced > 0 ? 1 : 0;
  return count;
}

std::string replacement_text(const TextMatch& match, std::string_view with) {
  return match.in_name ? name_text(with) : one_line(with);
}

ReplaceOutcome replace_one(SubtitleClip& clip, const TextMatch& match, const TextFinder& finder,
                           std::string_view with) {
  std::string* text = field_of(clip, match);
  if (!is_match(text, match, finder)) return ReplaceOutcome::gone;
  std::string changed = *text;
  changed.replace(match.start, match.length, replacement_text(match, with));
  if (!fits_field(*text, changed, match.in_name ? name_max_bytes : words_max_bytes)) return ReplaceOutcome::too_long;
  *text = std::move(changed);
  return ReplaceOutcome::replaced;
}

std::string replaced_message(const ReplaceCount& count) {
  if (count.replaced == 0 && count.lines_left == 0 && count.names_left == 0) return "Nothing to replace.";
  std::string message =
      "Replaced " + std::to_string(count.replaced) + " in " + plural(count.clips, "clip", "clips") + ".";
  if (count.lines_left > 0) {
    message += " Left " + plural(count.lines_left, "line", "lines") + " as " +
               (count.lines_left == 1 ? "it was" : "they were") + ": the words would pass " +
               std::to_string(words_max_bytes) + " bytes.";
  }
  if (count.names_left > 0) {
    message += " Left " + plural(count.names_left, "name", "names") + " as " +
               (count.names_left == 1 ? "it was" : "they were") + ": a name would pass " +
               std::to_string(name_max_bytes) + " bytes.";
  }
  return message;
}

std::string match_count_text(size_t matches, size_t clips) {
  if (matches == 0) return "No matches";
  return plural(matches, "match", "matches") + " in " + plural(clips, "clip", "clips");
}

}  // namespace korvix
