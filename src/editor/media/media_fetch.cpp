#include "editor/media/media_fetch.h"

#include <SDL3/SDL_thread.h>

#include <system_error>
#include <thread>

#include "install/process_runner.h"
#include "platform/file_moves.h"
#include "platform/system_error.h"
#include "editor/media/sound_decode.h"
#include "editor/media/media_cache.h"

namespace korvix {

namespace fs = std::filesystem;

namespace {

void remove_quietly(const fs::path& path) {
  std::error_code ignored;
  fs::remove_all(path, ignored);
}

// Runs the maker into `part`; the reason it gave nothing, or empty when `made` is there.
std::string run_maker(const std::vector<std::string>& command, const fs::path& part, const fs::path& made) {
  // A part left by a run that was killed is no start for this one.
  remove_quietly(part);
  std::string output;
  RunResult result = ProcessRunner::run_captured(command, output);
  if (result.succeeded() && media_present(made)) return {};
  remove_quietly(part);
  return maker_failure_reason(result, output);
}

template <typename Fetch, typename Body>
void start_detached(std::shared_ptr<Fetch> fetch, Body body) {
  try {
    std::thread(std::move(body)).detach();
  } catch (const std::system_error& error) {
    fetch->fail(std::string("Couldn't start fetching: ") + error.what());
  }
}

}  // namespace

void run_sound_fetch(SoundFetch& fetch, const std::vector<std::string>& command, const fs::path& part,
                     SdlUseGate& gate) {
  if (!command.empty()) {
    std::string reason = run_maker(command, part, part);
    unsigned long code = 0;
    if (reason.empty() && !move_file_replacing(part, fetch.target, code)) {
      remove_quietly(part);
      reason = "couldn't keep it in the cache: " + system_error_text(code);
    }
    if (!reason.empty()) {
      fetch.fail(sound_fetch_failure(reason));
      return;
    }
  }
  DecodedSound sound;
  std::string error;
  bool decoded = false;
  if (!gate.run([&] {
        decoded = decode_sound(fetch.target, sound, error);
        // This thread isn't one of SDL's: what SDL keeps per thread (its error
        // text) is freed here, or it is lost when the thread ends.
        SDL_CleanupTLS();
      })) {
    fetch.fail("The editor has closed.");  // SDL is going; nobody looks any more
    return;
  }
  if (!decoded) {
    remove_quietly(fetch.target);
    fetch.fail(error);
    return;
  }
  fetch.succeed(std::make_shared<const DecodedSound>(std::move(sound)));
}

void run_frames_fetch(FramesFetch& fetch, const std::vector<std::string>& command, const fs::path& part) {
  if (!command.empty()) {
    std::string reason = run_maker(command, part, part / "index.txt");
    if (reason.empty()) {
      // Whatever is under the target has no index.txt, else the cache had it.
      remove_quietly(fetch.target);
      std::error_code error;
      fs::rename(part, fetch.target, error);
      if (error) {
        remove_quietly(part);
        reason = "couldn't keep them in the cache: " + error.message();
      }
    }
    if (!reason.empty()) {
      fetch.fail(frames_fetch_failure(reason));
      return;
    }
  }
  std::optional<MovieFrames> movie = load_movie_index(fetch.target);
  if (!movie) {
    remove_quietly(fetch.target);
    fetch.fail(std::string(unreadable_movie));
    return;
  }
  fetch.succeed(std::make_shared<const MovieFrames>(std::move(*movie)));
}

void start_sound_fetch(std::shared_ptr<SoundFetch> fetch, std::vector<std::string> command, fs::path part,
                       std::shared_ptr<SdlUseGate> gate) {
  start_detached(fetch, [fetch, command = std::move(command), part = std::move(part), gate = std::move(gate)] {
    run_sound_fetch(*fetch, command, part, *gate);
  });
}

void start_frames_fetch(std::shared_ptr<FramesFetch> fetch, std::vector<std::string> command, fs::path part) {
  start_detached(fetch, [fetch, command = std::move(command), part = std::move(part)] {
    run_frames_fetch(*fetch, command, part);
  });
}

}  // namespace korvix
