#include "editor/media/media_cache.h"

#include <cinttypes>
#include <cstdio>
#include <system_error>

#include "base/fnv1a.h"
#include "install/tool_flow.h"
#include "platform/paths.h"
#include "editor/document/typed_text.h"

namespace korvix {

namespace fs = std::filesystem;

namespace {

constexpr const char* maker_file_name = "korvix-subtitles.exe";
constexpr size_t quoted_output_bytes = 200;

}  // namespace

uint64_t media_key(std::string_view source) { return fnv1a(source); }

std::string media_key_text(uint64_t key) {
  char text[17];
  std::snprintf(text, sizeof text, "%016" PRIx64, key);
  return text;
}

fs::path media_cache_folder(const fs::path& install_dir) { return install_dir / "subtitles" / "work" / "play"; }

MediaCachePaths media_cache_paths(const fs::path& install_dir, std::string_view source) {
  fs::path folder = media_cache_folder(install_dir);
  std::string key = media_key_text(media_key(source));
  return {folder / (key + ".wav"), folder / (key + ".part.wav"), folder / (key + "_frames"),
          folder / (key + "_frames.part")};
}

bool media_present(const fs::path& path) {
  std::error_code error;
  return fs::exists(path, error);
}

fs::path find_subtitle_maker(const fs::path& install_dir, const fs::path& maker_folder) {
  fs::path beside_game = install_dir / maker_file_name;
  if (media_present(beside_game)) return beside_game;
  if (maker_folder.empty()) return {};
  return find_built_tool(maker_folder, maker_file_name);
}

std::vector<std::string> sound_command(const fs::path& maker, const fs::path& install_dir, std::string_view source,
                                       const fs::path& wav) {
  return {to_utf8(maker), "--game",    to_utf8(install_dir / "game"), "--extract", std::string(source),
          "--wav",        to_utf8(wav)};
}

std::vector<std::string> frames_command(const fs::path& maker, const fs::path& install_dir, std::string_view source,
                                        const fs::path& folder) {
  return {to_utf8(maker), "--game",       to_utf8(install_dir / "game"), "--movie-frames", std::string(source),
          "--frames",     to_utf8(folder)};
}

std::string maker_failure_reason(const RunResult& result, std::string_view output) {
  if (!result.started()) return result.start_error;
  std::string quoted = one_line(utf8_prefix(output, quoted_output_bytes));
  while (!quoted.empty() && quoted.back() == ' ') quoted.pop_back();
  if (!quoted.empty()) return quoted;
  // A reason of nothing at all would read "Couldn't get the sound ().".
  if (result.exit_code != 0) return "exit code " + std::to_string(result.exit_code);
  return "it wrote no file";
}

std::string sound_fetch_failure(std::string_view reason) {
  return "Couldn't get the sound (" + std::string(reason) + ").";
}

std::string frames_fetch_failure(std::string_view reason) {
  return "Couldn't get the movie's pictures (" + std::string(reason) + "): the subtitle maker may need updating.";
}

}  // namespace korvix
