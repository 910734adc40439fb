#include "editor/document/line_rules.h"

#include <algorithm>
#include <cmath>

namespace korvix {

uint32_t stored_ms(int64_t ms) { return static_cast<uint32_t>(std::clamp<int64_t>(ms, 0, time_max_ms)); }

int64_t whole_ms(double ms) {
  if (!(ms > 0)) return 0;  // negative or not a number
  if (ms >= static_cast<double>(time_max_ms)) return time_max_ms;
  return static_cast<int64_t>(ms);
}

uint32_t ms_from_seconds(double seconds) {
  if (!(seconds > 0)) return 0;
  return stored_ms(whole_ms(seconds * 1000.0 + 0.5));
}

std::string line_label(const SubtitleClip& clip, size_t line) {
  const SubtitleLine& l = clip.lines[line];
  const std::string& name = clip.names[static_cast<size_t>(std::clamp(l.speaker, 0, speaker_count_max - 1))];
  if (name.empty()) return l.text;
  return name + ": " + l.text;
}

bool under_playhead(const SubtitleLine& line, double playhead_ms) {
  return line.start_ms <= playhead_ms && playhead_ms < line.end_ms;
}

bool line_is_wrong(const SubtitleClip& clip, size_t line) {
  const SubtitleLine& l = clip.lines[line];
  if (l.start_ms >= l.end_ms) return true;
  return line + 1 < clip.lines.size() && clip.lines[line + 1].start_ms < l.end_ms;
}

size_t split_cut(std::string_view text, int64_t t, uint32_t start, uint32_t end) {
  double share = end > start ? static_cast<double>(t - start) / static_cast<double>(end - start) : 0.0;
  double p = std::trunc(std::clamp(share, 0.0, 1.0) * static_cast<double>(text.size()));
  size_t best = std::string_view::npos;
  double best_distance = 0;
  for (size_t i = text.find(' '); i != std::string_view::npos; i = text.find(' ', i + 1)) {
    double distance = std::fabs(static_cast<double>(i) - p);
    if (best == std::string_view::npos || distance < best_distance) {
      best = i;
      best_distance = distance;
    }
  }
  return best;
}

uint32_t new_line_end(int64_t start, const SubtitleLine* next) {
  int64_t end = start + 2000;
  if (next) end = std::min(end, std::max(start + 300, static_cast<int64_t>(next->start_ms)));
  return stored_ms(end);
}

int line_before(const SubtitleClip& clip, double playhead_ms) {
  int before = -1;
  for (size_t i = 0; i < clip.lines.size(); ++i) {
    if (clip.lines[i].start_ms > playhead_ms) break;
    before = static_cast<int>(i);
  }
  return before;
}

}  // namespace korvix
