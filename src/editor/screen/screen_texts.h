// The editor screen's texts that follow rules: the transport's time, the list's shortened
// sources, the kinds' words, counts, and the reading-speed warning.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "editor/document/time_text.h"
#include "subtitles/subtitle_file.h"

namespace korvix {

struct DecodedSound;

// The transport's "playhead / length", precise: the decoded sound's own length
// once there is one (the playhead runs to its end), else the clip's.
std::string transport_time(double playhead_ms, const SubtitleClip& clip, const DecodedSound* sound);

// What the list shows of a source: from 61 bytes on, "..." and its last 57
// bytes, not starting inside a UTF-8 character.
std::string short_source(std::string_view source);

// "story", "movie" or "speech".
std::string_view kind_word(ClipKind kind);

// "12 clips, 3 corrected", "1 clip, 0 corrected".
std::string clip_count_text(size_t clips, size_t corrected);

// The reading speed a line asks for: its letters and digits per second of its
// span. Nothing for a line that doesn't end after it starts.
std::optional<double> reading_speed(const SubtitleLine& line);
// Above this a line is fast to read.
inline constexpr double fast_reading_cps = 20.0;
// "NN cps" for a line too fast to read; nothing for others.
std::optional<std::string> fast_reading_label(const SubtitleLine& line);
// "Fast to read: NN characters a second".
std::string fast_reading_tooltip(const SubtitleLine& line);

}  // namespace korvix
