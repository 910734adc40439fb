// Runs a fuzz target without libFuzzer over the inputs named on the command
// line: each file, and every file in each folder, once, in name order. The
// normal test run replays the seeds this way on every platform, so the corpora
// stay checked where libFuzzer isn't built.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

namespace fs = std::filesystem;

bool collect(const fs::path& given, std::vector<fs::path>& inputs) {
  std::error_code error;
  if (!fs::is_directory(given, error)) {
    inputs.push_back(given);
    return true;
  }
  for (const fs::directory_entry& entry : fs::directory_iterator(given, error)) {
    if (entry.is_regular_file(error)) inputs.push_back(entry.path());
  }
  return !error;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<fs::path> inputs;
  for (int i = 1; i < argc; ++i) {
    if (!collect(argv[i], inputs)) {
      std::fprintf(stderr, "replay: can't list %s\n", argv[i]);
      return 1;
    }
  }
  std::sort(inputs.begin(), inputs.end());
  if (inputs.empty()) {
    std::fprintf(stderr, "replay: no inputs\n");
    return 1;
  }
  for (const fs::path& input : inputs) {
    std::ifstream file(input, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad() || !file.is_open()) {
      std::fprintf(stderr, "replay: can't read %s\n", input.string().c_str());
      return 1;
    }
    // Named before it runs, so a crash shows which input did it.
    std::printf("%s (%zu bytes)\n", input.filename().string().c_str(), bytes.size());
    std::fflush(stdout);
    // A buffer of exactly the input's size, as libFuzzer gives it, so a
    // sanitizer build sees any read past its end.
    std::unique_ptr<uint8_t[]> copy(new uint8_t[bytes.size()]);
    std::memcpy(copy.get(), bytes.data(), bytes.size());
    LLVMFuzzerTestOneInput(copy.get(), bytes.size());
  }
  std::printf("replayed %zu inputs\n", inputs.size());
  return 0;
}
