#include "state/folders.h"

#include <cstdio>
#include <system_error>

#include "platform/executable_path.h"
#include "platform/user_folders.h"
#include "platform/volumes.h"

namespace korvix {

namespace {

bool has_space(const std::filesystem::path& path) {
  return path.native().find(static_cast<std::filesystem::path::value_type>(' ')) !=
         std::filesystem::path::string_type::npos;
}

// Not there, or a name the system refuses (the not-found family): look higher up.
bool reported_missing(const std::filesystem::file_status& status, const std::error_code& error) {
  return status.type() == std::filesystem::file_type::not_found || error == std::errc::no_such_file_or_directory ||
         error == std::errc::not_a_directory || error == std::errc::invalid_argument;
}

}  // namespace

std::filesystem::path data_folder() { return application_data_base() / "KorvixVelarine"; }

std::filesystem::path home_folder() { return user_home(); }

std::filesystem::path default_install_folder() {
  std::filesystem::path base = home_folder() / "Games";
  std::filesystem::path plain = base / "KorvixVelarine";
  if (is_installed(plain)) return plain;
  std::filesystem::path spaced = base / "Korvix Velarine";
  if (is_installed(spaced)) return spaced;
  return plain;
}

std::filesystem::path own_executable() { return running_executable_path(); }

bool is_installed(const std::filesystem::path& folder) {
  if (folder.empty()) return false;
  std::error_code error;
  return std::filesystem::exists(folder / "korvix.exe", error) &&
         std::filesystem::exists(folder / "game" / "default.xex", error);
}

std::optional<uint64_t> free_space(const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::path current = std::filesystem::absolute(folder, error);
  if (error) current = folder;
  // A folder not yet created lives on the volume of its nearest existing parent.
  for (;;) {
    std::filesystem::file_status status = std::filesystem::status(current, error);
    if (!reported_missing(status, error)) {
      if (std::optional<uint64_t> bytes = free_bytes_available(current)) return bytes;
      // Some systems report a path below a file with an error of another kind;
      // only an existing folder is a final answer.
      if (std::filesystem::is_directory(current, error)) return std::nullopt;
    }
    std::filesystem::path parent = current.parent_path();
    if (parent == current || parent.empty()) return std::nullopt;
    current = parent;
  }
}

std::string format_gigabytes(uint64_t bytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%.0f GB", static_cast<double>(bytes) / static_cast<double>(uint64_t{1} << 30));
  return text;
}

std::filesystem::path space_free_path(const std::filesystem::path& path) {
  if (!has_space(path)) return path;
  std::optional<std::filesystem::path> short_form = short_path_name(path);
  if (short_form && !has_space(*short_form)) return *short_form;
  return path;
}

}  // namespace korvix
