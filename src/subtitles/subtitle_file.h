// The game's subtitle file, korvix.subtitles: its form in memory, the reader
// and the writer. Pure functions over bytes; saving is in subtitle_save.h.
//
// The file is plain text, one record per line, lines ended by LF:
//   korvix-subtitles 2
//   # comments, kept and written back
//   clip speech+edited 2350 41200 file:NAME,3:00ab12cd34ef5678 the source
//   names Ann||Bob|||||||
//   1200 3400 s2 the words
//
// A line the reader can't use (a clip line it can't scan and the lines under
// it, lines before the first clip, lines a newer maker may write) belongs to
// no clip. It is kept, and written back unchanged where it stood: after the
// lines of the clip above it, or before the first clip.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace korvix {

enum class ClipKind : int32_t { speech = 0, story = 1, video = 2 };

// Speakers 1 to 10 are indices 0 to 9.
inline constexpr int speaker_count_max = 10;

// Identifies a clip's sound for the subtitle maker; kept and written back as read.
struct SubtitleKey {
  uint32_t id = 0;  // never 0 in memory: the reader drops such keys
  uint64_t hash = 0;
  bool operator==(const SubtitleKey&) const = default;
};

struct SubtitleLine {
  uint32_t start_ms = 0;
  uint32_t end_ms = 0;
  std::string text;     // the file's bytes, passed through
  int32_t speaker = 0;  // 0 to 9; written clamped into that range
  bool operator==(const SubtitleLine&) const = default;
};

struct SubtitleClip {
  ClipKind kind = ClipKind::speech;
  std::string file;  // a file reference, from a "file:" key item; empty for none
  uint32_t length_ms = 0;
  uint32_t bytes = 0;  // recorded by the subtitle maker, kept
  std::vector<SubtitleKey> keys;
  std::string source;                                // the sound's name for the subtitle maker; may hold spaces
  bool edited = false;                               // corrected by hand
  std::array<std::string, speaker_count_max> names;  // speakers 1 to 10; empty: no name
  std::vector<SubtitleLine> lines;
  std::string unread;  // lines under it the reader couldn't use, each ended by LF
  bool operator==(const SubtitleClip&) const = default;
};

struct SubtitleFile {
  std::vector<SubtitleClip> clips;  // in file order, which the editor never changes
  std::string comments;             // the kept comment block, each line ended by LF
  std::string unread;               // lines before the first clip the reader couldn't use
  std::filesystem::path path;
};

inline constexpr std::string_view subtitle_header = "korvix-subtitles 2";
// The comment line the writer puts after the kept comments, explaining the form.
inline constexpr std::string_view subtitle_lines_comment =
    "# Lines: clip <kind>[+edited] <ms> <bytes> <keys> <source> / names <s1>|...|<s10> / <start ms> <end ms> "
    "s<speaker> <text>\n";

// Parses the whole file into `clips` (cleared first). Fails only on empty
// content ("empty file") or a foreign first line ("not a subtitle file (or
// another version)"). Empty lines, comments and a clip's lines with empty
// words are skipped; other lines it can't use are kept in the clip above them,
// or in `unread_before` (when given) before the first clip, less their
// trailing CRs.
bool read_subtitles(std::string_view content, std::vector<SubtitleClip>& clips, std::string* error = nullptr,
                    std::string* unread_before = nullptr);

// How many lines the reader kept without understanding them.
size_t unread_line_count(const std::vector<SubtitleClip>& clips, std::string_view unread_before);

// The comment lines right after the header, without any "# Lines:" line, each
// ended by LF: what write_subtitles puts back.
std::string read_header_comments(std::string_view content);

// The complete file. Texts, names and sources lose their tabs and line breaks,
// names their bars, so every clip reads back as written; unread lines are
// written as they are.
std::string write_subtitles(const std::vector<SubtitleClip>& clips, std::string_view comments,
                            std::string_view unread_before = {});

}  // namespace korvix
