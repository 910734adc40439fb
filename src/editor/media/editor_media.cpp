#include "editor/media/editor_media.h"

#include <system_error>

#include "editor/document/editor_document.h"
#include "editor/media/media_cache.h"

namespace korvix {

namespace fs = std::filesystem;

namespace {

// A fetch of this run still writing `target`, if any; finished ones are let go.
template <typename Fetch>
std::shared_ptr<Fetch> still_writing(std::vector<std::shared_ptr<Fetch>>& writers, const fs::path& target) {
  std::erase_if(writers, [](const std::shared_ptr<Fetch>& fetch) { return !fetch->under_way(); });
  for (const std::shared_ptr<Fetch>& fetch : writers) {
    if (fetch->target == target) return fetch;
  }
  return nullptr;
}

// One kind of fetch, for one clip.
struct FetchPlan {
  fs::path target;  // what the fetch fills in the cache
  fs::path part;    // where the maker writes it
  fs::path filled;  // there when the cache has it
  std::string_view no_maker;
  std::vector<std::string> (*command)(const fs::path&, const fs::path&, std::string_view, const fs::path&);
};

// Makes `current` the fetch of `source`: one of this run still writing the
// same target, else a new one. True when a new one is to be started, with the
// maker's command in `command` unless the cache has it already; a missing
// maker fails the new fetch at once.
template <typename Fetch>
bool prepare_fetch(std::shared_ptr<Fetch>& current, std::vector<std::shared_ptr<Fetch>>& writers,
                   const std::string& source, const FetchPlan& plan, const EditorDocument& document,
                   std::vector<std::string>& command) {
  if (std::shared_ptr<Fetch> writing = still_writing(writers, plan.target)) {
    current = writing;
    return false;
  }
  current = std::make_shared<Fetch>(source, plan.target);
  const fs::path& install = document.install_folder();
  if (!media_present(plan.filled)) {
    fs::path maker = find_subtitle_maker(install, document.maker_folder());
    if (maker.empty()) {
      current->fail(std::string(plan.no_maker));
      return false;
    }
    // Made only for a maker to write into: without one the install stays untouched.
    std::error_code ignored;  // a folder that can't be made fails the maker, which says why
    fs::create_directories(media_cache_folder(install), ignored);
    command = plan.command(maker, install, source, plan.part);
  }
  writers.push_back(current);
  return true;
}

}  // namespace

EditorMedia::EditorMedia(EditorDocument& document) : document_(document) {}

EditorMedia::~EditorMedia() { release(); }

// ---- Seams to the shell

void EditorMedia::attach_renderer(SDL_Renderer* renderer) { picture_.set_renderer(renderer); }

void EditorMedia::forget_shown_frame() { picture_.forget_shown(); }

void EditorMedia::stop_playback() { pause(); }

void EditorMedia::close_output() {
  transport_.stop(output_);
  output_.close();
  // Kept for nobody: the next opening may be of another install, and memory
  // is better given back while the menu shows.
  sound_.reset();
  sound_source_.clear();
  movie_.reset();
  movie_source_.clear();
  sound_fetch_.reset();
  frames_fetch_.reset();
  picture_.forget_shown();
}

void EditorMedia::release() {
  close_output();
  picture_.destroy();
  sdl_gate_->close();
}

bool EditorMedia::keeps_frames_coming() const { return playing() || fetching_sound() || fetching_pictures(); }

// ---- Fetching

void EditorMedia::request_sound(const std::string& source) {
  if ((sound_ && sound_source_ == source) || (sound_fetch_ && sound_fetch_->source == source)) return;
  MediaCachePaths paths = media_cache_paths(document_.install_folder(), source);
  std::vector<std::string> command;
  if (prepare_fetch(sound_fetch_, sound_writers_, source,
                    {paths.wav, paths.wav_part, paths.wav, no_maker_for_sound, sound_command}, document_, command)) {
    start_sound_fetch(sound_fetch_, std::move(command), paths.wav_part, sdl_gate_);
  }
}

void EditorMedia::request_movie_frames(const std::string& source) {
  if ((movie_ && movie_source_ == source) || (frames_fetch_ && frames_fetch_->source == source)) return;
  MediaCachePaths paths = media_cache_paths(document_.install_folder(), source);
  std::vector<std::string> command;
  if (prepare_fetch(frames_fetch_, frames_writers_, source,
                    {paths.frames, paths.frames_part, paths.frames / "index.txt", no_maker_for_movie, frames_command},
                    document_, command)) {
    start_frames_fetch(frames_fetch_, std::move(command), paths.frames_part);
  }
}

// ---- Each frame

void EditorMedia::tick() {
  if (document_.take_due_fetch()) {
    const SubtitleClip& clip = *document_.selected();
    request_sound(clip.source);
    if (clip.kind == ClipKind::video) request_movie_frames(clip.source);
  }
  take_finished_fetches();
  feed();
}

void EditorMedia::take_finished_fetches() {
  if (frames_fetch_) {
    FramesFetch::Outcome outcome = frames_fetch_->look();
    if (outcome.state == FetchState::ready) {
      movie_ = outcome.result;
      movie_source_ = frames_fetch_->source;
      picture_.forget_shown();
    } else if (outcome.state == FetchState::failed) {
      document_.status = outcome.message;
    }
    if (outcome.state != FetchState::under_way) frames_fetch_.reset();
  }
  if (sound_fetch_) {
    SoundFetch::Outcome outcome = sound_fetch_->look();
    if (outcome.state == FetchState::ready) {
      pause();  // the playhead stays where the old sound was heard
      sound_ = outcome.result;
      sound_source_ = sound_fetch_->source;
    } else if (outcome.state == FetchState::failed) {
      document_.status = outcome.message;
    }
    if (outcome.state != FetchState::under_way) sound_fetch_.reset();
  }
}

void EditorMedia::feed() {
  if (!transport_.playing()) return;
  const DecodedSound* playing_sound = sound();
  if (!playing_sound) {
    transport_.stop(output_);
    return;
  }
  std::optional<FrameSpan> span = loop();
  if (transport_.feed(*playing_sound, output_, speed, span)) {
    document_.playhead_ms = transport_.heard_ms(*playing_sound, output_, span);
  } else {
    document_.playhead_ms = playing_sound->length_ms();
  }
}

// ---- Transport

bool EditorMedia::sound_ready() const { return sound() != nullptr; }

const DecodedSound* EditorMedia::sound() const {
  const SubtitleClip* clip = document_.selected();
  if (!sound_ || !clip || clip->source != sound_source_ || sound_->frames == 0) return nullptr;
  return sound_.get();
}

const MovieFrames* EditorMedia::movie() const {
  const SubtitleClip* clip = document_.selected();
  if (!movie_ || !clip || clip->source != movie_source_) return nullptr;
  return movie_.get();
}

std::optional<MoviePicture> EditorMedia::movie_picture(double ms) {
  const MovieFrames* frames = movie();
  if (!frames) return std::nullopt;
  return picture_.show(*frames, movie_frame_at(*frames, ms));
}

bool EditorMedia::fetching_sound() const {
  if (sound_fetch_) return true;
  // In the 0.2 s before the fetch starts it is as good as under way.
  return document_.fetch_due_at() > 0 && document_.selected() && !sound_ready();
}

bool EditorMedia::fetching_pictures() const {
  if (frames_fetch_) return true;
  const SubtitleClip* clip = document_.selected();
  return document_.fetch_due_at() > 0 && clip && clip->kind == ClipKind::video && !movie();
}

std::optional<FrameSpan> EditorMedia::loop() const {
  const SubtitleClip* clip = document_.selected();
  const DecodedSound* looped = sound();
  int line = document_.picked_line;
  if (!loop_line_ || !looped || !clip || line < 0 || static_cast<size_t>(line) >= clip->lines.size()) {
    return std::nullopt;
  }
  const SubtitleLine& picked = clip->lines[static_cast<size_t>(line)];
  return loop_span(*looped, picked.start_ms, picked.end_ms);
}

void EditorMedia::play() {
  const DecodedSound* playing_sound = sound();
  if (!playing_sound) {
    if (fetching_sound()) document_.status = "Getting the sound...";
    return;
  }
  std::string error;
  if (!output_.open(playing_sound->channels, playing_sound->rate, error)) {
    document_.status = error;
    return;
  }
  std::optional<FrameSpan> span = loop();
  document_.playhead_ms = play_start_ms(*playing_sound, document_.playhead_ms, span);
  transport_.start(*playing_sound, output_, document_.playhead_ms, speed, span);
}

void EditorMedia::pause() {
  document_.playhead_ms = current_play_ms();
  transport_.stop(output_);
}

void EditorMedia::scrub_to(double ms) {
  document_.playhead_ms = ms;
  last_scrub_ms_ = ms;
  const DecodedSound* scrubbed = sound();
  if (!scrubbed) return;
  std::string error;
  if (!output_.open(scrubbed->channels, scrubbed->rate, error)) {
    document_.status = error;
    return;
  }
  // A seek while playing: playing goes on from there.
  if (transport_.playing()) {
    transport_.start(*scrubbed, output_, ms, speed, loop());
  } else {
    transport_.scrub(*scrubbed, output_, ms);
  }
}

void EditorMedia::play_from_line(int line) {
  const SubtitleClip* clip = document_.selected();
  if (!clip || line < 0 || static_cast<size_t>(line) >= clip->lines.size()) return;
  document_.picked_line = line;
  uint32_t start = clip->lines[static_cast<size_t>(line)].start_ms;
  document_.playhead_ms = start < 251 ? 0.0 : start - 250.0;
  play();
}

double EditorMedia::current_play_ms() const {
  const DecodedSound* playing_sound = sound();
  if (!transport_.playing() || !playing_sound) return document_.playhead_ms;
  return transport_.heard_ms(*playing_sound, output_, loop());
}

}  // namespace korvix
