// Until the clips' sound and pictures are fetched, the editor has neither:
// the transport only moves the playhead, and nothing holds SDL resources.
#include "subtitles/editor/editor_media.h"

#include "subtitles/editor/editor_document.h"

namespace korvix {

EditorMedia::EditorMedia(EditorDocument& document) : document_(document) {}

EditorMedia::~EditorMedia() = default;

void EditorMedia::attach_renderer(SDL_Renderer* renderer) {
  if (renderer == renderer_) return;
  renderer_ = renderer;
  shown_frame_ = -1;
}

void EditorMedia::forget_shown_frame() { shown_frame_ = -1; }

void EditorMedia::stop_playback() { playing_ = false; }

void EditorMedia::close_output() { playing_ = false; }

void EditorMedia::release() {
  close_output();
  shown_frame_ = -1;
}

bool EditorMedia::keeps_frames_coming() const { return playing_ || fetching_sound() || fetching_pictures(); }

// The due fetch is taken, so it doesn't stay due; there is nothing to fetch with yet.
void EditorMedia::tick() { document_.take_due_fetch(); }

bool EditorMedia::sound_ready() const { return false; }

bool EditorMedia::fetching_sound() const { return false; }

bool EditorMedia::fetching_pictures() const { return false; }

void EditorMedia::play() {}

void EditorMedia::pause() {
  document_.playhead_ms = current_play_ms();
  playing_ = false;
}

void EditorMedia::scrub_to(double ms) {
  document_.playhead_ms = ms;
  last_scrub_ms_ = ms;
}

void EditorMedia::play_from_line(int line) {
  const SubtitleClip* clip = document_.selected();
  if (!clip || line < 0 || static_cast<size_t>(line) >= clip->lines.size()) return;
  document_.picked_line = line;
  uint32_t start = clip->lines[static_cast<size_t>(line)].start_ms;
  document_.playhead_ms = start < 251 ? 0.0 : start - 250.0;
  play();
}

double EditorMedia::current_play_ms() const { return document_.playhead_ms; }

}  // namespace korvix
