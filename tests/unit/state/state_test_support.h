// Temporary folders, environment overrides and sparse files for the state tests.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "platform/environment.h"
#include "platform/environment_write.h"
#include "platform/paths.h"

namespace korvix::test {

// A fresh folder under the system's temporary folder, removed afterwards.
class TempFolder {
 public:
  TempFolder() {
    static std::atomic<int> counter{0};
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("korvix-state-") + (info ? info->name() : "test") + "-" + std::to_string(counter++) +
                       "-" + std::to_string(std::random_device{}());
    path_ = fs::temp_directory_path() / name;
    fs::create_directories(path_);
    path_ = fs::canonical(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const fs::path& path() const { return path_; }
  fs::path operator/(const fs::path& relative) const { return path_ / relative; }

 private:
  fs::path path_;
};

// Sets or removes environment variables and restores them afterwards.
class ScopedEnv {
 public:
  ScopedEnv() = default;
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;
  ~ScopedEnv() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) set_env_var(it->first.c_str(), it->second);
  }
  void set(const char* name, const std::optional<std::string>& value) {
    saved_.emplace_back(name, env_var(name));
    set_env_var(name, value);
  }

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

// A temporary user: APPDATA is its "appdata" folder, USERPROFILE its "home".
class TempUser : public ::testing::Test {
 protected:
  TempUser() {
    env.set("APPDATA", to_utf8(temp / "appdata"));
    env.set("USERPROFILE", to_utf8(temp / "home"));
  }
  TempFolder temp;
  ScopedEnv env;
};

inline void write_bytes(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

inline std::string read_bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline constexpr uint64_t mib = 1048576;

// A file of the given size that takes no disk space where the file system allows.
inline void make_sparse_file(const fs::path& path, uint64_t size) {
  write_bytes(path, "");
  fs::resize_file(path, size);
}

constexpr uint64_t gib = uint64_t{1} << 30;

}  // namespace korvix::test
