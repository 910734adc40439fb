#include "install/desktop_shortcut.h"

#include <system_error>

#include "install/process_runner.h"
#include "platform/command_line.h"
#include "platform/desktop.h"
#include "platform/executable_path.h"
#include "platform/file_moves.h"
#include "platform/file_save.h"
#include "platform/paths.h"
#include "platform/programs.h"
#include "state/folders.h"
#include "update/self_update.h"

namespace korvix {

const char* const shortcut_name = "Korvix Velarine";

namespace {

const char* const icon_maker_name = "korvix-icon.exe";

bool file_exists(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

std::string single_quoted(const std::filesystem::path& path) { return powershell_single_quoted(to_utf8(path)); }

// A string value of a desktop entry: backslash and control characters escaped, and
// a leading blank kept as \s so that the reader doesn't trim it.
std::string desktop_string_value(std::string_view text) {
  std::string out;
  for (size_t at = 0; at < text.size(); ++at) {
    char c = text[at];
    if (c == '\\')
      out += "\\\\";
    else if (c == '\n')
      out += "\\n";
    else if (c == '\t')
      out += "\\t";
    else if (c == '\r')
      out += "\\r";
    else if (c == ' ' && at == 0)
      out += "\\s";
    else
      out.push_back(c);
  }
  return out;
}

}  // namespace

std::string shortcut_command(const std::filesystem::path& target, const std::filesystem::path& folder,
                             const std::optional<std::filesystem::path>& icon) {
  std::string icon_part = icon ? "$s.IconLocation='" + single_quoted(*icon) + ",0';" : "";
  return "$s=(New-Object -ComObject WScript.Shell).CreateShortcut([IO.Path]::Combine([Environment]::GetFolderPath("
         "'Desktop'),'" +
         std::string(shortcut_name) + ".lnk'));$s.TargetPath='" + single_quoted(target) + "';$s.WorkingDirectory='" +
         single_quoted(folder) + "';" + icon_part + "$s.Save()";
}

std::string desktop_exec_argument(std::string_view argument) {
  // Quoting every argument is always allowed, and spares a list of reserved characters.
  std::string quoted = "\"";
  for (char c : argument) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted.push_back('\\');
    if (c == '%') quoted.push_back('%');  // a lone % would start a field code
    quoted.push_back(c);
  }
  quoted.push_back('"');
  return desktop_string_value(quoted);
}

std::string desktop_entry_text(const std::filesystem::path& target, const std::filesystem::path& folder,
                               const std::optional<std::filesystem::path>& icon) {
  std::string text = "[Desktop Entry]\nType=Application\nName=" + std::string(shortcut_name) + "\n";
  text += "Exec=" + desktop_exec_argument(to_utf8(target)) + "\n";
  text += "Path=" + desktop_string_value(to_utf8(folder)) + "\n";
  if (icon) text += "Icon=" + desktop_string_value(to_utf8(*icon)) + "\n";
  text += "Terminal=false\n";
  return text;
}

std::vector<std::filesystem::path> icon_maker_candidates(const std::filesystem::path& install_dir,
                                                         const std::filesystem::path& source_dir) {
  std::vector<std::filesystem::path> found;
  if (file_exists(install_dir / icon_maker_name)) found.push_back(install_dir / icon_maker_name);
  std::error_code error;
  std::filesystem::directory_iterator it(source_dir / "out" / "build", error);
  for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
    std::error_code type_error;
    if (!it->is_directory(type_error)) continue;
    std::filesystem::path candidate = it->path() / icon_maker_name;
    if (file_exists(candidate)) found.push_back(candidate);
  }
  return found;
}

void ensure_game_icon(const std::filesystem::path& install_dir, const std::filesystem::path& source_dir) {
  if (file_exists(install_dir / "korvix-icon.ico") && file_exists(install_dir / "korvix-icon.png")) return;
  std::filesystem::path game_image = install_dir / "game" / "default.xex";
  if (!file_exists(game_image)) return;
  // A failing maker only means a shortcut without the game's icon.
  for (const std::filesystem::path& maker : icon_maker_candidates(install_dir, source_dir)) {
    std::string output;
    if (ProcessRunner::run_captured({to_utf8(maker), to_utf8(game_image), to_utf8(install_dir)}, output).succeeded())
      return;
  }
}

bool write_desktop_shortcut(const std::filesystem::path& install_dir) {
  std::filesystem::path target = install_dir / launcher_file_name;
  if (!file_exists(target)) target = own_executable();
  if (target.empty()) return false;
  std::filesystem::path folder = target.parent_path();

  if (desktop_shortcut_kind == ShortcutKind::powershell_link) {
    std::optional<std::filesystem::path> icon;
    if (file_exists(install_dir / "korvix-icon.ico")) icon = install_dir / "korvix-icon.ico";
    std::string output;
    return ProcessRunner::run_captured(
               {powershell_program, "-NoProfile", "-Command", shortcut_command(target, folder, icon)}, output)
        .succeeded();
  }
  std::optional<std::filesystem::path> icon;
  if (file_exists(install_dir / "korvix-icon.png")) icon = install_dir / "korvix-icon.png";
  std::filesystem::path entry = desktop_folder() / (std::string(shortcut_name) + ".desktop");
  SaveOptions options;
  options.create_folders = true;
  return save_file_atomically(entry, desktop_entry_text(target, folder, icon), options) && mark_executable(entry);
}

bool make_desktop_shortcut(const std::filesystem::path& install_dir, const std::filesystem::path& source_dir) {
  ensure_game_icon(install_dir, source_dir);
  keep_launcher_in_install_folder(install_dir);  // where it can't, the shortcut points at this launcher
  return write_desktop_shortcut(install_dir);
}

}  // namespace korvix
