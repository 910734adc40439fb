// The unit tests' entry point. Before the first test, every variable through which
// the launcher finds the user's folders points into a folder of this run's own,
// so no test, however it builds its LauncherApp, can reach the real user's
// launcher.ini, desktop or data folder. Tests that want a user of their own still
// set these variables themselves; they are put back to this run's folder after.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

#include "platform/environment_write.h"
#include "platform/paths.h"

namespace {

namespace fs = std::filesystem;

class PrivateUser {
 public:
  PrivateUser() {
    root_ = fs::temp_directory_path() / ("korvix-unit-user-" + std::to_string(std::random_device{}()));
    const struct {
      const char* variable;
      const char* folder;
    } folders[] = {
        {"APPDATA", "appdata"},          {"USERPROFILE", "home"},           {"HOME", "home"},
        {"XDG_DATA_HOME", "xdg-data"},   {"XDG_CONFIG_HOME", "xdg-config"}, {"XDG_CACHE_HOME", "xdg-cache"},
        {"XDG_STATE_HOME", "xdg-state"},
    };
    for (const auto& [variable, folder] : folders) {
      std::error_code ignored;
      fs::create_directories(root_ / folder, ignored);
      korvix::set_env_var(variable, korvix::to_utf8(root_ / folder));
    }
  }
  ~PrivateUser() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
  PrivateUser(const PrivateUser&) = delete;
  PrivateUser& operator=(const PrivateUser&) = delete;

 private:
  fs::path root_;
};

}  // namespace

int main(int argc, char** argv) {
  PrivateUser user;
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
