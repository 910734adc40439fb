// The system's file and folder dialogs. They answer on their own, possibly on
// another thread: the callbacks hand the result over through LauncherStatus.
#pragma once

#include <filesystem>
#include <memory>

struct SDL_Window;

namespace korvix {

struct LauncherStatus;

void open_disc_image_dialog(const std::shared_ptr<LauncherStatus>& status, SDL_Window* window,
                            const std::filesystem::path& start_folder);
void open_install_folder_dialog(const std::shared_ptr<LauncherStatus>& status, SDL_Window* window,
                                const std::filesystem::path& start_folder);

}  // namespace korvix
