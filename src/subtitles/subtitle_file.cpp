#include "subtitles/subtitle_file.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>

#include "subtitles/number_scan.h"

namespace korvix {

namespace {

constexpr std::string_view old_header = "korvix-subtitles 1";
constexpr size_t kind_token_max = 15;  // the reader's "%15s"

// Walks the content line by line: split at LF (the last line needs none), one
// CR removed from the end of each line.
class LineCursor {
 public:
  explicit LineCursor(std::string_view content) : rest_(content) {}
  bool next(std::string_view& line) {
    if (done_) return false;
    size_t end = rest_.find('\n');
    if (end == std::string_view::npos) {
      line = rest_;
      done_ = true;
      // Content ending in LF has no further, empty line.
      if (line.empty()) return false;
    } else {
      line = rest_.substr(0, end);
      rest_.remove_prefix(end + 1);
    }
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return true;
  }

 private:
  std::string_view rest_;
  bool done_ = false;
};

ClipKind kind_from_word(std::string_view word) {
  if (word == "story") return ClipKind::story;
  if (word == "video") return ClipKind::video;
  return ClipKind::speech;
}

std::string_view kind_word(ClipKind kind) {
  switch (kind) {
    case ClipKind::story:
      return "story";
    case ClipKind::video:
      return "video";
    default:
      return "speech";
  }
}

void read_key_item(std::string_view item, SubtitleClip& clip) {
  if (item.starts_with("file:")) {
    clip.file = std::string(item.substr(5));
    return;
  }
  size_t colon = item.find(':');
  if (colon == std::string_view::npos) return;
  size_t pos = 0;
  ScannedNumber id = scan_number(item.substr(0, colon), pos, 10, std::numeric_limits<uint32_t>::max());
  pos = 0;
  ScannedNumber hash = scan_number(item.substr(colon + 1), pos, 16, std::numeric_limits<uint64_t>::max());
  if (id.too_large || hash.too_large || id.value == 0) return;
  clip.keys.push_back({static_cast<uint32_t>(id.value), hash.value});
}

// "clip KIND LENGTH BYTES KEYS SOURCE"; false when it cannot be scanned.
bool read_clip_line(std::string_view line, SubtitleClip& clip) {
  std::string_view rest = line.substr(5);
  size_t pos = skip_blanks(rest, 0);
  size_t token_end = pos;
  while (token_end < rest.size() && token_end - pos < kind_token_max && !is_blank(rest[token_end])) ++token_end;
  if (token_end == pos) return false;
  std::string_view token = rest.substr(pos, token_end - pos);
  pos = token_end;
  std::optional<uint32_t> length = scan_u32(rest, pos);
  if (!length) return false;
  std::optional<uint32_t> bytes = scan_u32(rest, pos);
  if (!bytes) return false;
  rest.remove_prefix(skip_blanks(rest, pos));

  size_t plus = token.find('+');
  clip.kind = kind_from_word(token.substr(0, plus));
  clip.edited = plus != std::string_view::npos && token.substr(plus + 1).find("edited") != std::string_view::npos;
  clip.length_ms = *length;
  clip.bytes = *bytes;
  size_t space = rest.find(' ');
  std::string_view keys = rest.substr(0, space);
  if (space != std::string_view::npos) clip.source = std::string(rest.substr(space + 1));
  while (true) {
    size_t comma = keys.find(',');
    read_key_item(keys.substr(0, comma), clip);
    if (comma == std::string_view::npos) break;
    keys.remove_prefix(comma + 1);
  }
  return true;
}

void read_names_line(std::string_view line, SubtitleClip& clip) {
  std::string_view fields = line.substr(6);
  for (std::string& name : clip.names) {
    size_t bar = fields.find('|');
    name = std::string(fields.substr(0, bar));
    if (bar == std::string_view::npos) break;
    fields.remove_prefix(bar + 1);
  }
}

// "s1 " to "s10 " in front of the words: the speaker index, or -1 for none.
int speaker_prefix(std::string_view text, size_t& prefix_length) {
  if (text.size() < 3 || text[0] != 's' || text[1] < '1' || text[1] > '9') return -1;
  int number = text[1] - '0';
  size_t digits = 1;
  if (text[2] >= '0' && text[2] <= '9') {
    number = number * 10 + (text[2] - '0');
    digits = 2;
  }
  if (text.size() <= 1 + digits || text[1 + digits] != ' ' || number > speaker_count_max) return -1;
  prefix_length = digits + 2;
  return number - 1;
}

enum class LineRead { unusable, no_words, read };

// "START END s2 the words".
LineRead read_line_line(std::string_view line, SubtitleLine& out) {
  size_t pos = 0;
  std::optional<uint32_t> start = scan_u32(line, pos);
  if (!start) return LineRead::unusable;
  std::optional<uint32_t> end = scan_u32(line, pos);
  if (!end) return LineRead::unusable;
  std::string_view text = line.substr(skip_blanks(line, pos));
  size_t prefix_length = 0;
  int speaker = speaker_prefix(text, prefix_length);
  if (speaker >= 0) text.remove_prefix(prefix_length);
  if (text.empty()) return LineRead::no_words;
  out.start_ms = *start;
  out.end_ms = *end;
  out.speaker = std::max(speaker, 0);
  out.text = std::string(text);
  return LineRead::read;
}

// Every CR at the end goes: one left there would come back as part of a CR LF
// and be lost on the next read.
void keep_unread(std::string& unread, std::string_view line) {
  while (line.ends_with('\r')) line.remove_suffix(1);
  if (line.empty()) return;
  unread.append(line);
  unread += '\n';
}

void append_number(std::string& out, uint64_t value) {
  char digits[24];
  std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, end.ptr);
}

void append_hash(std::string& out, uint64_t hash) {
  static constexpr char hex[] = "0123456789abcdef";
  for (int shift = 60; shift >= 0; shift -= 4) out += hex[(hash >> shift) & 0xf];
}

// Tabs and line breaks would break the line apart when read again; bars would
// split a name.
void append_clean(std::string& out, std::string_view text, bool drop_bars = false) {
  for (char c : text) {
    if (c == '\n' || c == '\r' || c == '\t') {
      out += ' ';
    } else if (!(drop_bars && c == '|')) {
      out += c;
    }
  }
}

void append_keys(std::string& out, const SubtitleClip& clip) {
  size_t start = out.size();
  if (!clip.file.empty()) out.append("file:").append(clip.file);
  for (const SubtitleKey& key : clip.keys) {
    if (out.size() > start) out += ',';
    append_number(out, key.id);
    out += ':';
    append_hash(out, key.hash);
  }
  // An empty field would make the source's first word read back as the keys;
  // a lone "file:" reads back as no file and no keys.
  if (out.size() == start) out.append("file:");
}

void append_clip(std::string& out, const SubtitleClip& clip) {
  out.append("clip ").append(kind_word(clip.kind));
  if (clip.edited) out.append("+edited");
  out += ' ';
  append_number(out, clip.length_ms);
  out += ' ';
  append_number(out, clip.bytes);
  out += ' ';
  append_keys(out, clip);
  out += ' ';
  append_clean(out, clip.source);
  out += '\n';
  bool named = std::any_of(clip.names.begin(), clip.names.end(), [](const std::string& n) { return !n.empty(); });
  if (named) {
    out.append("names ");
    for (size_t i = 0; i < clip.names.size(); ++i) {
      if (i > 0) out += '|';
      append_clean(out, clip.names[i], true);
    }
    out += '\n';
  }
  for (const SubtitleLine& line : clip.lines) {
    append_number(out, line.start_ms);
    out += ' ';
    append_number(out, line.end_ms);
    out.append(" s");
    append_number(out, static_cast<uint64_t>(std::clamp(line.speaker, 0, speaker_count_max - 1) + 1));
    out += ' ';
    append_clean(out, line.text);
    out += '\n';
  }
}

}  // namespace

bool read_subtitles(std::string_view content, std::vector<SubtitleClip>& clips, std::string* error,
                    std::string* unread_before) {
  clips.clear();
  std::string unread_dropped;
  std::string* unread = unread_before ? unread_before : &unread_dropped;
  unread->clear();
  auto fail = [error](const char* message) {
    if (error) *error = message;
    return false;
  };
  if (content.empty()) return fail("empty file");
  LineCursor cursor(content);
  std::string_view line;
  cursor.next(line);
  if (line != subtitle_header && line != old_header) return fail("not a subtitle file (or another version)");

  // Clips are large: growing the array would move each of them many times.
  size_t clip_lines = 0;
  for (size_t at = content.find("\nclip "); at != std::string_view::npos; at = content.find("\nclip ", at + 1))
    ++clip_lines;
  clips.reserve(clip_lines);

  // The clip that takes names and lines; none before the first clip and under
  // a clip line that can't be read, whose lines are no other clip's.
  SubtitleClip* current = nullptr;
  SubtitleLine subtitle;
  while (cursor.next(line)) {
    if (line.empty() || line[0] == '#') continue;
    if (line.starts_with("clip ")) {
      SubtitleClip clip;
      if (read_clip_line(line, clip)) {
        clips.push_back(std::move(clip));
        current = &clips.back();
        unread = &current->unread;
        continue;
      }
      current = nullptr;
    } else if (current && line.starts_with("names ")) {
      read_names_line(line, *current);
      continue;
    } else if (current) {
      LineRead read = read_line_line(line, subtitle);
      if (read == LineRead::read) current->lines.push_back(std::move(subtitle));
      // A line the editor emptied is gone once the file is read again.
      if (read != LineRead::unusable) continue;
    }
    keep_unread(*unread, line);
  }
  return true;
}

size_t unread_line_count(const std::vector<SubtitleClip>& clips, std::string_view unread_before) {
  size_t count = static_cast<size_t>(std::count(unread_before.begin(), unread_before.end(), '\n'));
  for (const SubtitleClip& clip : clips)
    count += static_cast<size_t>(std::count(clip.unread.begin(), clip.unread.end(), '\n'));
  return count;
}

std::string read_header_comments(std::string_view content) {
  std::string comments;
  LineCursor cursor(content);
  std::string_view line;
  cursor.next(line);  // the header
  while (cursor.next(line) && !line.empty() && line[0] == '#') {
    if (line.starts_with("# Lines:")) continue;
    // Every CR at its end: one left there would come back as part of a CR LF.
    while (line.ends_with('\r')) line.remove_suffix(1);
    comments.append(line);
    comments += '\n';
  }
  return comments;
}

std::string write_subtitles(const std::vector<SubtitleClip>& clips, std::string_view comments,
                            std::string_view unread_before) {
  size_t estimate = subtitle_header.size() + comments.size() + subtitle_lines_comment.size() + unread_before.size() + 1;
  for (const SubtitleClip& clip : clips) {
    estimate += 64 + clip.source.size() + clip.file.size() + 24 * clip.keys.size() + clip.unread.size();
    for (const SubtitleLine& line : clip.lines) estimate += 28 + line.text.size();
  }
  std::string out;
  out.reserve(estimate);
  out.append(subtitle_header).append("\n");
  out.append(comments);
  out.append(subtitle_lines_comment);
  out.append(unread_before);
  for (const SubtitleClip& clip : clips) {
    append_clip(out, clip);
    out.append(clip.unread);
  }
  return out;
}

}  // namespace korvix
