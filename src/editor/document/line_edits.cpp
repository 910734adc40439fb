// The edits of a clip's lines: split, join, add, delete, and their times and words.
#include <algorithm>
#include <numeric>

#include "editor/document/editor_document.h"
#include "editor/document/line_rules.h"
#include "editor/document/typed_text.h"

namespace korvix {

namespace {

bool valid_index(const SubtitleClip& clip, int index) {
  return index >= 0 && static_cast<size_t>(index) < clip.lines.size();
}

}  // namespace

SubtitleLine* EditorDocument::line_mutable(int index) {
  SubtitleClip* clip = selected_mutable();
  return clip && valid_index(*clip, index) ? &clip->lines[static_cast<size_t>(index)] : nullptr;
}

SubtitleLine* EditorDocument::picked_mutable() { return line_mutable(picked_line); }

bool EditorDocument::split_line() {
  SubtitleClip* clip = selected_mutable();
  if (!clip) return false;
  // Whole milliseconds both for the test and for the cut, so a playhead a
  // fraction past a line's start can't make a line that ends where it starts.
  int64_t t = whole_ms(playhead_ms);
  auto inside = [t](const SubtitleLine& line) { return line.start_ms < t && t < line.end_ms; };
  int index = -1;
  if (valid_index(*clip, picked_line) && inside(clip->lines[static_cast<size_t>(picked_line)])) {
    index = picked_line;
  } else {
    for (size_t i = clip->lines.size(); i-- > 0;) {
      if (inside(clip->lines[i])) {
        index = static_cast<int>(i);
        break;
      }
    }
  }
  if (index < 0) {
    status = "Put the playhead inside the line to split.";
    return false;
  }
  EditScope scope(*this);
  SubtitleLine& first = clip->lines[static_cast<size_t>(index)];
  SubtitleLine second{static_cast<uint32_t>(t), first.end_ms, {}, first.speaker};
  size_t cut = split_cut(first.text, t, first.start_ms, first.end_ms);
  if (cut != std::string::npos) {
    second.text = first.text.substr(cut + 1);
    first.text.resize(cut);
  }
  first.end_ms = static_cast<uint32_t>(t);
  clip->lines.insert(clip->lines.begin() + index + 1, std::move(second));
  picked_line = index + 1;
  status = "Split.";
  mark_edited();
  return true;
}

bool EditorDocument::join_next() {
  SubtitleClip* clip = selected_mutable();
  if (!clip) return false;
  if (!valid_index(*clip, picked_line) || !valid_index(*clip, picked_line + 1)) {
    status = "No line after it to join.";
    return false;
  }
  EditScope scope(*this);
  auto first = clip->lines.begin() + picked_line;
  const SubtitleLine& second = *(first + 1);
  first->start_ms = std::min(first->start_ms, second.start_ms);
  first->end_ms = std::max(first->end_ms, second.end_ms);
  if (!first->text.empty() && !second.text.empty()) first->text += ' ';
  first->text += second.text;
  clip->lines.erase(first + 1);
  status = "Joined.";
  mark_edited();
  return true;
}

bool EditorDocument::add_line(int after, bool at_playhead) {
  SubtitleClip* clip = selected_mutable();
  if (!clip || (after != -1 && !valid_index(*clip, after))) return false;
  EditScope scope(*this);
  const SubtitleLine* before = after >= 0 ? &clip->lines[static_cast<size_t>(after)] : nullptr;
  int64_t start = at_playhead ? whole_ms(playhead_ms) : before ? before->end_ms : 0;
  size_t at = static_cast<size_t>(after + 1);
  const SubtitleLine* next = at < clip->lines.size() ? &clip->lines[at] : nullptr;
  SubtitleLine line{stored_ms(start), new_line_end(start, next), {}, before ? before->speaker : 0};
  clip->lines.insert(clip->lines.begin() + static_cast<ptrdiff_t>(at), std::move(line));
  picked_line = static_cast<int32_t>(at);
  mark_edited();
  return true;
}

bool EditorDocument::add_line_at(double ms) {
  SubtitleClip* clip = selected_mutable();
  if (!clip) return false;
  EditScope scope(*this);
  int64_t start = whole_ms(ms);
  auto next = std::find_if(clip->lines.begin(), clip->lines.end(),
                           [start](const SubtitleLine& line) { return line.start_ms >= start; });
  int32_t speaker = next != clip->lines.begin() ? (next - 1)->speaker : 0;
  SubtitleLine line{stored_ms(start), new_line_end(start, next != clip->lines.end() ? &*next : nullptr), {}, speaker};
  picked_line = static_cast<int32_t>(next - clip->lines.begin());
  clip->lines.insert(next, std::move(line));
  mark_edited();
  return true;
}

bool EditorDocument::delete_line(int index) {
  SubtitleClip* clip = selected_mutable();
  if (!clip || !valid_index(*clip, index)) return false;
  EditScope scope(*this);
  clip->lines.erase(clip->lines.begin() + index);
  clamp_picked_line();
  mark_edited();
  return true;
}

bool EditorDocument::set_start_here() {
  SubtitleLine* line = picked_mutable();
  if (!line) return false;
  int64_t start = whole_ms(playhead_ms);
  int64_t end = start < line->end_ms ? line->end_ms : start + 1500;
  return set_line_span(picked_line, start, end);
}

bool EditorDocument::set_end_here() {
  SubtitleLine* line = picked_mutable();
  if (!line) return false;
  int64_t end = std::max<int64_t>(int64_t{line->start_ms} + 100, whole_ms(playhead_ms));
  return set_line_span(picked_line, line->start_ms, end);
}

bool EditorDocument::set_line_start(int index, double seconds) {
  SubtitleLine* line = line_mutable(index);
  if (!line) return false;
  picked_line = index;
  return set_line_span(index, ms_from_seconds(seconds), line->end_ms);
}

bool EditorDocument::set_line_end(int index, double seconds) {
  SubtitleLine* line = line_mutable(index);
  if (!line) return false;
  picked_line = index;
  return set_line_span(index, line->start_ms, ms_from_seconds(seconds));
}

bool EditorDocument::set_line_span(int index, int64_t start_ms, int64_t end_ms) {
  SubtitleLine* line = line_mutable(index);
  if (!line) return false;
  uint32_t start = stored_ms(start_ms);
  uint32_t end = stored_ms(end_ms);
  if (line->start_ms == start && line->end_ms == end) return false;
  EditScope scope(*this);
  line->start_ms = start;
  line->end_ms = end;
  mark_edited();
  return true;
}

bool EditorDocument::sort_lines_by_start() {
  SubtitleClip* clip = selected_mutable();
  if (!clip) return false;
  std::vector<SubtitleLine>& lines = clip->lines;
  auto by_start = [](const SubtitleLine& a, const SubtitleLine& b) { return a.start_ms < b.start_ms; };
  if (std::is_sorted(lines.begin(), lines.end(), by_start)) return false;
  EditScope scope(*this);
  std::vector<size_t> order(lines.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return by_start(lines[a], lines[b]); });
  std::vector<SubtitleLine> sorted;
  sorted.reserve(lines.size());
  int32_t picked = -1;
  for (size_t i = 0; i < order.size(); ++i) {
    if (static_cast<int32_t>(order[i]) == picked_line) picked = static_cast<int32_t>(i);
    sorted.push_back(std::move(lines[order[i]]));
  }
  lines = std::move(sorted);
  picked_line = picked;
  mark_edited();
  return true;
}

bool EditorDocument::set_line_text(int index, std::string_view text) {
  SubtitleLine* line = line_mutable(index);
  if (!line) return false;
  picked_line = index;
  // A long text keeps its room for the whole gesture: what was deleted from it
  // may be typed again.
  std::string_view before = line->text;
  const SubtitleClip* start = clip_at_gesture_start();
  if (start && static_cast<size_t>(index) < start->lines.size() &&
      start->lines[static_cast<size_t>(index)].text.size() > before.size()) {
    before = start->lines[static_cast<size_t>(index)].text;
  }
  std::string words(limit_typed(before, one_line(text), words_max_bytes));
  if (words == line->text) return false;
  EditScope scope(*this);
  line->text = std::move(words);
  mark_edited();
  return true;
}

}  // namespace korvix
