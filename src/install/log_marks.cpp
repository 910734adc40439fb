#include "install/log_marks.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace korvix {

namespace {

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }
bool is_letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_word_char(char c) { return is_letter(c) || is_digit(c) || c == '_'; }

// `word` (lower case) stands at `at`, ignoring case.
bool word_at(std::string_view line, size_t at, std::string_view word) {
  if (line.size() - at < word.size()) return false;
  for (size_t i = 0; i < word.size(); ++i)
    if (lower(line[at + i]) != word[i]) return false;
  return true;
}

// A compiler code begins at `at`: one to four letters, then at least three
// digits, then no further letter or digit ("C2065", "LNK1120", "MSB3073").
bool code_at(std::string_view line, size_t at) {
  size_t letters = 0;
  while (at + letters < line.size() && is_letter(line[at + letters])) ++letters;
  if (letters < 1 || letters > 4) return false;
  size_t digits = 0;
  size_t end = at + letters;
  while (end + digits < line.size() && is_digit(line[end + digits])) ++digits;
  if (digits < 3) return false;
  end += digits;
  return end == line.size() || !is_word_char(line[end]);
}

// The whole word `word` at `at`, with a ":" or a code within the next two characters.
bool marked_word_at(std::string_view line, size_t at, std::string_view word) {
  if (!word_at(line, at, word)) return false;
  if (at > 0 && is_word_char(line[at - 1])) return false;
  size_t end = at + word.size();
  if (end < line.size() && is_word_char(line[end])) return false;
  for (size_t next = end; next < end + 2 && next < line.size(); ++next)
    if (line[next] == ':' || code_at(line, next)) return true;
  return false;
}

bool holds(std::string_view line, std::string_view text) { return line.find(text) != std::string_view::npos; }

constexpr uint64_t repeated(char c) { return 0x0101010101010101ULL * static_cast<unsigned char>(c); }

// The high bit of each byte of `x` that is zero.
constexpr uint64_t zero_bytes(uint64_t x) {
  constexpr uint64_t low7 = repeated(0x7F);
  return ~(((x & low7) + low7) | x) & ~low7;
}

bool marking_pair(char a, char b) {
  a = lower(a);
  b = lower(b);
  return (a == 'r' && (b == 'r' || b == 'n')) || (a == 'f' && b == 'a');
}

// Whether the line holds, in any case, "rr" or "fa" (of "error" and "fatal")
// or "rn" (of "warning"). Most lines of a build hold none: they are passed over
// eight bytes at a time, which makes searching a big log fast.
bool may_be_marked(std::string_view line) {
  size_t at = 0;
  if constexpr (std::endian::native == std::endian::little) {
    constexpr uint64_t lowered = repeated(0x20);
    constexpr uint64_t first_seven = 0x0080808080808080ULL;
    for (; at + 8 <= line.size(); at += 7) {
      uint64_t word;
      std::memcpy(&word, line.data() + at, 8);
      word |= lowered;  // ASCII letters in lower case; other bytes can't become these letters
      uint64_t next = word >> 8;  // each byte's follower in its place
      uint64_t r = zero_bytes(word ^ repeated('r'));
      uint64_t f = zero_bytes(word ^ repeated('f'));
      uint64_t after_r = zero_bytes(next ^ repeated('r')) | zero_bytes(next ^ repeated('n'));
      uint64_t after_f = zero_bytes(next ^ repeated('a'));
      if (((r & after_r) | (f & after_f)) & first_seven) return true;
    }
  }
  for (; at + 1 < line.size(); ++at)
    if (marking_pair(line[at], line[at + 1])) return true;
  return false;
}

}  // namespace

LineMark mark_of_line(std::string_view line) {
  if (line.starts_with("FAILED:") || line.starts_with("Failed:")) return LineMark::error;
  // Every other rule's words hold one of the pairs.
  if (!may_be_marked(line)) return LineMark::none;
  if (holds(line, "CMake Error")) return LineMark::error;
  bool warns = holds(line, "CMake Warning");
  // Each word is looked for only where its first letter stands.
  for (size_t at = 0; at < line.size(); ++at) {
    switch (lower(line[at])) {
      case 'e':
        if (marked_word_at(line, at, "error")) return LineMark::error;
        break;
      case 'f':
        if (marked_word_at(line, at, "fatal")) return LineMark::error;
        break;
      case 'w':
        if (!warns && marked_word_at(line, at, "warning")) warns = true;
        break;
      default:
        break;
    }
  }
  return warns ? LineMark::warning : LineMark::none;
}

}  // namespace korvix
