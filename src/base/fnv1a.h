// 64-bit FNV-1a: a quick hash for cache keys, the same on every run and every
// system. Not for anything an attacker picks the input of.
#pragma once

#include <cstdint>
#include <string_view>

namespace korvix {

class Fnv1a {
 public:
  constexpr Fnv1a& add(std::string_view bytes) {
    for (char c : bytes) add_byte(static_cast<unsigned char>(c));
    return *this;
  }
  // A number by its eight bytes, lowest first, so the hash is the same on every system.
  constexpr Fnv1a& add(uint64_t value) {
    for (int shift = 0; shift < 64; shift += 8) add_byte(static_cast<unsigned char>(value >> shift));
    return *this;
  }
  constexpr uint64_t value() const { return hash_; }

 private:
  constexpr void add_byte(unsigned char byte) { hash_ = (hash_ ^ byte) * 1099511628211ull; }

  uint64_t hash_ = 14695981039346656037ull;  // the offset basis
};

constexpr uint64_t fnv1a(std::string_view bytes) { return Fnv1a().add(bytes).value(); }

}  // namespace korvix
