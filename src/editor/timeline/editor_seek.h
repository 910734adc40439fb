// KORVIX_EDITOR_SEEK: a test hook that puts the first clip's playhead, picked
// line and view where a screenshot wants them, once the sound is ready.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace korvix {

class EditorDocument;
class Transport;

inline constexpr const char* editor_seek_variable = "KORVIX_EDITOR_SEEK";

struct EditorSeek {
  double playhead_ms = 0;
  int picked_line = -1;
  double width_ms = 0;  // 0: keep the view's width
  bool operator==(const EditorSeek&) const = default;
};

// "ms,line,width" read as scanf's "%lf,%d,%lf" does: what follows the first
// field that can't be read keeps its default. Nothing when not even the
// playhead reads as a finite number.
std::optional<EditorSeek> parse_editor_seek(std::string_view text);

// A width above 0 sets the view, the playhead at 30 % of it (the start never
// before 0); a picked line within the clip is picked; then the playhead is
// scrubbed to (at least 0).
void apply_editor_seek(const EditorSeek& seek, EditorDocument& document, Transport& player);

// Runs the hook at most once per run of the program, on the first frame the
// selected clip's sound is ready.
class EditorSeekHook {
 public:
  explicit EditorSeekHook(std::optional<std::string> text) : text_(std::move(text)) {}
  // True on the one frame it applied the seek.
  bool run(bool sound_ready, EditorDocument& document, Transport& player);

 private:
  std::optional<std::string> text_;  // the variable's value; nothing once used
};

}  // namespace korvix
