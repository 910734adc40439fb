// Where the subtitle files live in an install folder.
#pragma once

#include <filesystem>

namespace korvix {

// subtitles/korvix.subtitles: the game's file, shared with the subtitle maker.
std::filesystem::path subtitle_file_path(const std::filesystem::path& install_dir);
// subtitles/groups.txt: the editor's grouping of clips.
std::filesystem::path groups_file_path(const std::filesystem::path& install_dir);
// subtitles/work/editor.txt: the editor's remembered view.
std::filesystem::path view_file_path(const std::filesystem::path& install_dir);

}  // namespace korvix
