// SHA-256 through the operating system's crypto: BCrypt on Windows, OpenSSL's
// libcrypto elsewhere. Used to check a downloaded launcher against its release.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace korvix {

class Sha256 {
 public:
  Sha256();
  ~Sha256();
  Sha256(const Sha256&) = delete;
  Sha256& operator=(const Sha256&) = delete;

  void update(std::string_view bytes);
  // The digest of everything given so far, or nothing when the system's crypto
  // failed; the object is spent afterwards.
  std::optional<std::array<uint8_t, 32>> finish();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// Lower-case hex of the digest of `bytes`; empty when the crypto failed.
std::string sha256_hex(std::string_view bytes);

// Lower-case hex of the digest of the file's bytes, or nothing when it can't be
// read or hashed.
std::optional<std::string> sha256_file_hex(const std::filesystem::path& file);

}  // namespace korvix
