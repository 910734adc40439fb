// Fetching a clip's sound or a movie's pictures on a thread of its own: the
// subtitle maker is run into the cache when the cache hasn't got it, then the
// WAV is decoded or index.txt read. The fetch's record is the only thing the
// thread shares with the editor; both hold it, so a fetch the editor has moved
// on from still finishes into valid memory.
#pragma once

#include <filesystem>
#include <memory>
#include <mutex>
#include <shared_mutex>
#include <string>
#include <vector>

#include "editor/media/decoded_sound.h"
#include "editor/media/movie_index.h"

namespace korvix {

enum class FetchState { under_way = 1, ready = 2, failed = 3 };

// The hand-over between the editor and one fetch thread.
template <typename Result>
class MediaFetch {
 public:
  MediaFetch(std::string source, std::filesystem::path target) : source(std::move(source)), target(std::move(target)) {}

  const std::string source;            // the clip's source it was made for
  const std::filesystem::path target;  // the cache's WAV or pictures folder it fills

  struct Outcome {
    FetchState state = FetchState::under_way;
    std::shared_ptr<const Result> result;  // when ready
    std::string message;                   // when failed
  };

  Outcome look() const {
    std::lock_guard lock(mutex_);
    return {state_, result_, message_};
  }
  bool under_way() const { return look().state == FetchState::under_way; }

  void succeed(std::shared_ptr<const Result> result) {
    std::lock_guard lock(mutex_);
    result_ = std::move(result);
    state_ = FetchState::ready;
  }
  void fail(std::string message) {
    std::lock_guard lock(mutex_);
    message_ = std::move(message);
    state_ = FetchState::failed;
  }

 private:
  mutable std::mutex mutex_;
  FetchState state_ = FetchState::under_way;
  std::shared_ptr<const Result> result_;
  std::string message_;
};

using SoundFetch = MediaFetch<DecodedSound>;
using FramesFetch = MediaFetch<MovieFrames>;

// Fetch threads' use of SDL (decoding), which must end before SDL_Quit. Uses
// run side by side under the shared lock; close waits for those in progress
// and lets none start afterwards.
class SdlUseGate {
 public:
  template <typename Use>
  bool run(Use&& use) {
    std::shared_lock lock(mutex_);
    if (closed_) return false;
    use();
    return true;
  }
  void close() {
    std::unique_lock lock(mutex_);
    closed_ = true;
  }

 private:
  std::shared_mutex mutex_;
  bool closed_ = false;
};

// The thread bodies. With a command, the maker runs first, writing to `part`
// (the WAV's or the pictures folder's temporary name), which becomes the
// fetch's target only when the maker succeeded; a part it leaves otherwise is
// deleted. Without one, the target is already in the cache. A WAV that doesn't
// decode and pictures whose index.txt is invalid are deleted, so the next
// selection fetches them again. Each ends the fetch as ready or failed, taking
// the record's lock only after leaving the gate.
void run_sound_fetch(SoundFetch& fetch, const std::vector<std::string>& command, const std::filesystem::path& part,
                     SdlUseGate& gate);
void run_frames_fetch(FramesFetch& fetch, const std::vector<std::string>& command, const std::filesystem::path& part);

// The same on a detached thread. When no thread can be started the fetch
// fails at once, saying so.
void start_sound_fetch(std::shared_ptr<SoundFetch> fetch, std::vector<std::string> command, std::filesystem::path part,
                       std::shared_ptr<SdlUseGate> gate);
void start_frames_fetch(std::shared_ptr<FramesFetch> fetch, std::vector<std::string> command,
                        std::filesystem::path part);

}  // namespace korvix
