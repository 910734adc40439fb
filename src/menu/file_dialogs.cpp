#include "menu/file_dialogs.h"

#include <SDL3/SDL_dialog.h>
#include <SDL3/SDL_error.h>

#include "platform/paths.h"
#include "state/launcher_status.h"

namespace korvix {

namespace {

// What a callback needs; it owns a share of the status, so a dialog that
// answers after the window closed still writes into valid memory.
struct DialogRequest {
  std::shared_ptr<LauncherStatus> status;
  bool folder = false;
};

void SDLCALL on_dialog_answer(void* userdata, const char* const* files, int) {
  std::unique_ptr<DialogRequest> request(static_cast<DialogRequest*>(userdata));
  std::lock_guard lock(request->status->mutex);
  if (!files) {
    request->status->dialog_error = SDL_GetError();
  } else if (files[0]) {
    (request->folder ? request->status->picked_folder : request->status->picked_image) = files[0];
  }
  // An empty list is a cancelled dialog: nothing to hand over.
}

}  // namespace

void open_disc_image_dialog(const std::shared_ptr<LauncherStatus>& status, SDL_Window* window,
                            const std::filesystem::path& start_folder) {
  static const SDL_DialogFileFilter filters[] = {{"Disc images", "iso"}};
  std::string start = to_utf8(start_folder);
  SDL_ShowOpenFileDialog(on_dialog_answer, new DialogRequest{status, false}, window, filters, 1,
                         start.empty() ? nullptr : start.c_str(), false);
}

void open_install_folder_dialog(const std::shared_ptr<LauncherStatus>& status, SDL_Window* window,
                                const std::filesystem::path& start_folder) {
  std::string start = to_utf8(start_folder);
  SDL_ShowOpenFolderDialog(on_dialog_answer, new DialogRequest{status, true}, window,
                           start.empty() ? nullptr : start.c_str(), false);
}

}  // namespace korvix
