#include <signal.h>
#include <spawn.h>
#include <unistd.h>

#include <string>

#include "platform/detached_start.h"
#include "platform/spawn_attributes_posix.h"

extern char** environ;

namespace korvix {

bool start_detached_program(const std::filesystem::path& program, unsigned long& error_code) {
  std::string path = program.string();
  std::string folder = program.parent_path().string();
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  posix_spawn_file_actions_init(&actions);
  posix_spawnattr_init(&attributes);
  if (!folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  set_own_session(attributes);
  char* argv[] = {path.data(), nullptr};
  pid_t pid = 0;
  int code = posix_spawn(&pid, path.c_str(), &actions, &attributes, argv, environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  if (code != 0) {
    error_code = static_cast<unsigned long>(code);
    return false;
  }
  return true;
}

bool delete_when_unused(const std::filesystem::path& file) {
  // POSIX lets a running program's file be removed; its pages stay until it ends.
  return ::unlink(file.c_str()) == 0;
}

}  // namespace korvix
