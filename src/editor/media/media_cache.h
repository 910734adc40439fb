// Where the editor keeps a clip's sound and a movie's pictures, and how it asks
// the subtitle maker for them. No SDL: names, paths, commands and texts only.
//
// The cache is the install's subtitles/work/play folder. A clip's key is the
// 64-bit FNV-1a hash of its source, so the same source always maps to the same
// files, on every run. The maker writes under a temporary name in the cache
// ("KEY.part.wav", the folder "KEY_frames.part"), which is renamed once it
// succeeded: a half-written file never gets the name the cache is read by.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "install/process_runner.h"

namespace korvix {

// 64-bit FNV-1a of the bytes.
uint64_t media_key(std::string_view source);

// "%016llx": 16 lower-case hex digits.
std::string media_key_text(uint64_t key);

// The install's subtitles/work/play folder.
std::filesystem::path media_cache_folder(const std::filesystem::path& install_dir);

// One clip's files in the cache.
struct MediaCachePaths {
  std::filesystem::path wav;          // KEY.wav
  std::filesystem::path wav_part;     // KEY.part.wav: what the maker writes (it may rely on ".wav")
  std::filesystem::path frames;       // KEY_frames: index.txt and frame_00000.jpg ...
  std::filesystem::path frames_part;  // KEY_frames.part: what the maker writes into
};
MediaCachePaths media_cache_paths(const std::filesystem::path& install_dir, std::string_view source);

// Whether the file or folder is there; a check that fails counts as not.
bool media_present(const std::filesystem::path& path);

// korvix-subtitles.exe in the install folder; else the first out/build/<entry>
// of the maker's folder (the sources) that holds one, in listing order; else empty.
std::filesystem::path find_subtitle_maker(const std::filesystem::path& install_dir,
                                          const std::filesystem::path& maker_folder);

// The maker's arguments for a clip's sound into `wav`, and a movie's pictures into `folder`.
std::vector<std::string> sound_command(const std::filesystem::path& maker, const std::filesystem::path& install_dir,
                                       std::string_view source, const std::filesystem::path& wav);
std::vector<std::string> frames_command(const std::filesystem::path& maker, const std::filesystem::path& install_dir,
                                        std::string_view source, const std::filesystem::path& folder);

// What the player is told.
inline constexpr std::string_view no_maker_for_sound =
    "The subtitle maker isn't built (Update first): no sound to play.";
inline constexpr std::string_view no_maker_for_movie =
    "The subtitle maker isn't built (Update first): no movie to show.";
inline constexpr std::string_view unreadable_movie = "The movie's pictures couldn't be read.";

// Why a maker run gave nothing: its start error; else at most the first 200
// bytes of its output, cut at a character's boundary, line breaks as spaces;
// else (it printed nothing) its exit code, or that it wrote no file.
std::string maker_failure_reason(const RunResult& result, std::string_view output);

// "Couldn't get the sound (REASON)." and "Couldn't get the movie's pictures
// (REASON): the subtitle maker may need updating."
std::string sound_fetch_failure(std::string_view reason);
std::string frames_fetch_failure(std::string_view reason);

}  // namespace korvix
