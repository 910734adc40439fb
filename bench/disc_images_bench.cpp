// The start-up disc-image search over a home folder of 10,000 entries spread one
// level deep, with one sparse 7 GB image in Downloads. Target: under 50 ms.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "state/disc_images.h"

namespace {

namespace fs = std::filesystem;

// 100 folders of 99 files each plus the folders themselves: 10,000 entries.
class FixtureHome {
 public:
  FixtureHome() : root_(fs::temp_directory_path() / ("korvix-bench-home-" + std::to_string(std::random_device{}()))) {
    const char* extensions[] = {".txt", ".jpg", ".mp4", ".iso", ".zip"};
    for (int folder = 0; folder < 100; ++folder) {
      fs::path dir = root_ / (folder == 0 ? std::string("Downloads") : "folder" + std::to_string(folder));
      fs::create_directories(dir);
      for (int file = 0; file < 99; ++file) {
        std::ofstream(dir / ("file" + std::to_string(file) + extensions[file % 5])) << "small";
      }
    }
    fs::path image = root_ / "Downloads" / "GAME.ISO";
    std::ofstream{image};
    fs::resize_file(image, uint64_t{7} << 30);
  }
  ~FixtureHome() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
  std::vector<fs::path> start_folders() const {
    return {root_, root_ / "Downloads", root_ / "Documents", root_ / "Desktop", root_ / "Games"};
  }

 private:
  fs::path root_;
};

void find_disc_images_in_a_crowded_home(benchmark::State& state) {
  FixtureHome home;
  for (auto _ : state) {
    std::vector<fs::path> found = korvix::find_disc_images_in(home.start_folders());
    if (found.size() != 1) state.SkipWithError("the image was not found exactly once");
    benchmark::DoNotOptimize(found);
  }
}
BENCHMARK(find_disc_images_in_a_crowded_home)->Unit(benchmark::kMillisecond);

}  // namespace
