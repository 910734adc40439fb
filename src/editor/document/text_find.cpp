#include "editor/document/text_find.h"

#include <algorithm>
#include <cstring>

#include "base/utf8.h"

namespace korvix {

namespace {

// Letters, digits and every byte of a multi-byte character make up words.
bool word_byte(uint8_t c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c >= 0x80;
}

uint8_t byte_at(std::string_view text, size_t at) { return static_cast<uint8_t>(text[at]); }

// Roughly how common a byte is in subtitles (English letter frequencies): a
// search looks for its least common byte first, so it stops at few places.
int commonness(uint8_t c) {
  constexpr std::string_view letters_by_frequency = "etaoinshrdlcumwfgypbvkjxqz";
  if (c == ' ') return 100;
  if (c >= 'a' && c <= 'z') return 90 - 3 * static_cast<int>(letters_by_frequency.find(static_cast<char>(c)));
  if (c >= 'A' && c <= 'Z') return commonness(static_cast<uint8_t>(c - 'A' + 'a')) / 4;
  if (c >= 0x80) return 5;
  return c == '.' || c == ',' || c == '\'' ? 30 : 15;
}

char other_case(char c) {
  if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
  if (c >= 'A' && c <= 'Z') return static_cast<char>(c - 'A' + 'a');
  return c;
}

}  // namespace

TextFinder::TextFinder(std::string_view search, FindOptions options) : needle_(search), options_(options) {
  for (size_t c = 0; c < fold_.size(); ++c) {
    bool upper = c >= 'A' && c <= 'Z';
    fold_[c] = static_cast<uint8_t>(upper && !options_.match_case ? c - 'A' + 'a' : c);
  }
  for (char& c : needle_) c = static_cast<char>(fold_[static_cast<uint8_t>(c)]);
  for (size_t i = 1; i < needle_.size(); ++i) {
    if (commonness(static_cast<uint8_t>(needle_[i])) < commonness(static_cast<uint8_t>(needle_[key_]))) key_ = i;
  }
  if (needle_.empty()) return;
  key_byte_ = needle_[key_];
  other_key_byte_ = options_.match_case ? key_byte_ : other_case(key_byte_);
}

bool TextFinder::fits_at(std::string_view text, size_t at) const {
  const size_t end = at + needle_.size();
  if (is_utf8_continuation(byte_at(text, at))) return false;
  if (end < text.size() && is_utf8_continuation(byte_at(text, end))) return false;
  if (!options_.whole_words) return true;
  return (at == 0 || !word_byte(byte_at(text, at - 1))) && (end == text.size() || !word_byte(byte_at(text, end)));
}

// Calls `found` with each match from `from` on, left to right, without
// overlaps, while it returns true. The search's least common byte is looked
// for with memchr, in each of its cases when they fold; both places are kept,
// so the text is scanned once per case.
template <typename Found>
void TextFinder::scan(std::string_view text, size_t from, Found found) const {
  const size_t n = needle_.size();
  if (n == 0 || from > text.size() || text.size() - from < n) return;
  const char* begin = text.data();
  // The key byte's places: from `from` on, and up to where a match would run past the text.
  const char* end = begin + (text.size() - n + 1) + key_;
  auto next = [end](const char* at, char c) {
    if (at >= end) return end;
    const void* place = std::memchr(at, c, static_cast<size_t>(end - at));
    return place ? static_cast<const char*>(place) : end;
  };
  const bool two_cases = other_key_byte_ != key_byte_;
  const char* one = next(begin + from + key_, key_byte_);
  const char* two = two_cases ? next(begin + from + key_, other_key_byte_) : end;
  for (const char* key = std::min(one, two); key != end; key = std::min(one, two)) {
    const char* at = key - key_;
    size_t k = 0;
    while (k < n && fold_[static_cast<uint8_t>(at[k])] == static_cast<uint8_t>(needle_[k])) ++k;
    const char* resume = key + 1;
    if (k == n && fits_at(text, static_cast<size_t>(at - begin))) {
      if (!found(static_cast<size_t>(at - begin))) return;
      resume = key + n;  // the next match starts after this one
    }
    if (one < resume) one = next(resume, key_byte_);
    if (two_cases && two < resume) two = next(resume, other_key_byte_);
  }
}

size_t TextFinder::find(std::string_view text, size_t from) const {
  size_t first = npos;
  scan(text, from, [&](size_t at) {
    first = at;
    return false;
  });
  return first;
}

bool TextFinder::matches_at(std::string_view text, size_t at) const {
  const size_t n = needle_.size();
  if (n == 0 || at > text.size() || text.size() - at < n) return false;
  for (size_t k = 0; k < n; ++k) {
    if (fold_[byte_at(text, at + k)] != static_cast<uint8_t>(needle_[k])) return false;
  }
  return fits_at(text, at);
}

size_t TextFinder::count(std::string_view text) const {
  size_t found = 0;
  scan(text, 0, [&](size_t) {
    ++found;
    return true;
  });
  return found;
}

size_t TextFinder::find_last_before(std::string_view text, size_t before) const {
  size_t last = npos;
  scan(text, 0, [&](size_t at) {
    if (at >= before) return false;
    last = at;
    return true;
  });
  return last;
}

std::string replace_matches(std::string_view text, const TextFinder& finder, std::string_view with, size_t& replaced) {
  replaced = 0;
  size_t at = finder.find(text);
  if (at == TextFinder::npos) return std::string(text);
  std::string out;
  out.reserve(text.size() + with.size());
  size_t copied = 0;
  for (; at != TextFinder::npos; at = finder.find(text, copied)) {
    out.append(text.substr(copied, at - copied)).append(with);
    // Putting in the same bytes changes nothing and isn't counted.
    if (text.substr(at, finder.size()) != with) ++replaced;
    copied = at + finder.size();
  }
  out.append(text.substr(copied));
  return out;
}

}  // namespace korvix
