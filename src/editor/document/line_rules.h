// Rules about a clip's lines that the document, the line table, the timeline
// and the preview share. Times are computed in 64 bits and clamped into the
// file's range (0 to 2^32 - 1 ms) only when stored, so sums near the top of
// the range never wrap.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "subtitles/subtitle_file.h"

namespace korvix {

inline constexpr int64_t time_max_ms = UINT32_MAX;

// A time as the file stores it.
uint32_t stored_ms(int64_t ms);
// The playhead (or any time in ms) truncated to whole milliseconds, within the
// file's range; not a number gives 0.
int64_t whole_ms(double ms);
// A typed or dragged time in seconds: the whole milliseconds nearest to it,
// at least 0.
uint32_t ms_from_seconds(double seconds);

// The name of the line's speaker, ": " and its words when the speaker has a
// name; else the words. How the game shows it with speaker names on.
std::string line_label(const SubtitleClip& clip, size_t line);
// The line is under the playhead: it starts at or before it and ends after it.
bool under_playhead(const SubtitleLine& line, double playhead_ms);
// It ends before it starts, or runs into the next line.
bool line_is_wrong(const SubtitleClip& clip, size_t line);

// Where splitting `text` at time t of a line from start to end cuts it: the
// space nearest to the proportional position (the earlier one on a tie), or
// npos when the text has no space.
size_t split_cut(std::string_view text, int64_t t, uint32_t start, uint32_t end);

// The end of a new line that starts at `start`: 2000 ms on, but when a line
// follows (`next`), no further than that line's start, yet at
// least 300 ms on.
uint32_t new_line_end(int64_t start, const SubtitleLine* next);

// The line after which "+ Add one at the playhead" inserts: the last line whose
// start is not after the playhead, scanning from the first and stopping at the
// first that starts after it; -1 when the first already does.
int line_before(const SubtitleClip& clip, double playhead_ms);

}  // namespace korvix
