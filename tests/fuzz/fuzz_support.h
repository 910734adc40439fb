// Shared by the fuzz targets: property checks and a scratch folder.
//
// A failed check prints what broke and aborts; libFuzzer keeps the input that
// did it, and the replay of the seeds fails on it like on any crash.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>

#define FUZZ_CHECK(condition) ::korvix::fuzz::check((condition), #condition, __FILE__, __LINE__)

namespace korvix::fuzz {

void check(bool holds, const char* condition, const char* file, int line);

// The input as text.
inline std::string_view as_text(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// A folder of this process's own under the temporary folder, removed at exit.
// Point TMPDIR at a memory file system to keep file targets fast.
const std::filesystem::path& scratch_folder();

}  // namespace korvix::fuzz
