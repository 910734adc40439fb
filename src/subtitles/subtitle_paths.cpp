#include "subtitles/subtitle_paths.h"

namespace korvix {

std::filesystem::path subtitle_file_path(const std::filesystem::path& install_dir) {
  return install_dir / "subtitles" / "korvix.subtitles";
}

std::filesystem::path groups_file_path(const std::filesystem::path& install_dir) {
  return install_dir / "subtitles" / "groups.txt";
}

std::filesystem::path view_file_path(const std::filesystem::path& install_dir) {
  return install_dir / "subtitles" / "work" / "editor.txt";
}

}  // namespace korvix
