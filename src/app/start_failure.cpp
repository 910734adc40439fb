#include "app/start_failure.h"

#include <SDL3/SDL.h>

#include "app/test_hooks.h"
#include "platform/file_save.h"
#include "platform/paths.h"
#include "state/folders.h"

namespace korvix {

const char* const start_error_file_name = "launcher-error.log";

bool write_start_error(const std::filesystem::path& data_folder, const std::string& line) {
  SaveOptions options;
  options.create_folders = true;
  return save_file_atomically(data_folder / start_error_file_name, line + "\r\n", options);
}

void report_start_failure(const std::string& line) {
  SDL_Log("%s", line.c_str());
  std::filesystem::path folder = data_folder();
  std::string text = line;
  if (write_start_error(folder, line)) text += "\n\nThis is also in " + to_utf8(folder / start_error_file_name) + ".";
  if (test_hooks_drive_run()) return;
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Korvix Velarine couldn't start", text.c_str(), nullptr);
}

}  // namespace korvix
