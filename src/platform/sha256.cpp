#include "platform/sha256.h"

#include <fstream>
#include <vector>

namespace korvix {

namespace {

std::optional<std::string> to_hex(const std::optional<std::array<uint8_t, 32>>& digest) {
  if (!digest) return std::nullopt;
  static const char digits[] = "0123456789abcdef";
  std::string text;
  for (uint8_t byte : *digest) {
    text += digits[byte >> 4];
    text += digits[byte & 15];
  }
  return text;
}

}  // namespace

std::string sha256_hex(std::string_view bytes) {
  Sha256 hash;
  hash.update(bytes);
  return to_hex(hash.finish()).value_or(std::string());
}

std::optional<std::string> sha256_file_hex(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  Sha256 hash;
  std::vector<char> buffer(1 << 16);
  while (in) {
    in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    hash.update(std::string_view(buffer.data(), static_cast<size_t>(in.gcount())));
  }
  if (in.bad()) return std::nullopt;
  return to_hex(hash.finish());
}

}  // namespace korvix
