// SHA-256 (FIPS 180-4), to check a downloaded launcher against its release's digest.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace korvix {

class Sha256 {
 public:
  Sha256();
  void update(std::string_view bytes);
  // The digest of everything given so far; the object is spent afterwards.
  std::array<uint8_t, 32> finish();

 private:
  void compress(const uint8_t* block);

  std::array<uint32_t, 8> state_;
  std::array<uint8_t, 64> block_{};
  size_t block_used_ = 0;
  uint64_t total_bytes_ = 0;
};

// Lower-case hex of the digest of `bytes`.
std::string sha256_hex(std::string_view bytes);

// Lower-case hex of the digest of the file's bytes, or nothing when it can't be read.
std::optional<std::string> sha256_file_hex(const std::filesystem::path& file);

}  // namespace korvix
