#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <system_error>

namespace korvix::fuzz {

namespace {

namespace fs = std::filesystem;

class ScratchFolder {
 public:
  ScratchFolder() {
    std::random_device random;
    for (;;) {
      path_ = fs::temp_directory_path() / ("korvix-fuzz-" + std::to_string(random()));
      std::error_code error;
      if (fs::create_directory(path_, error)) return;
      if (error) {
        std::fprintf(stderr, "fuzz: can't make a scratch folder in %s\n", fs::temp_directory_path().string().c_str());
        std::abort();
      }
    }
  }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

}  // namespace

void check(bool holds, const char* condition, const char* file, int line) {
  if (holds) return;
  std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
  std::fflush(stderr);
  std::abort();
}

const std::filesystem::path& scratch_folder() {
  static const ScratchFolder folder;
  return folder.path();
}

}  // namespace korvix::fuzz
