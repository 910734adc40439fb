#include "subtitles/editor/text_find.h"

#include <algorithm>
#include <cstring>

namespace korvix {

namespace {

bool continuation_byte(uint8_t c) { return (c & 0xC0) == 0x80; }

// Letters, digits and every byte of a multi-byte character make up words.
bool word_byte(uint8_t c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c >= 0x80;
}

uint8_t byte_at(std::string_view text, size_t at) { return static_cast<uint8_t>(text[at]); }

}  // namespace

TextFinder::TextFinder(std::string_view search, FindOptions options) : needle_(search), options_(options) {
  for (size_t c = 0; c < fold_.size(); ++c) {
    bool upper = c >= 'A' && c <= 'Z';
    fold_[c] = static_cast<uint8_t>(upper && !options_.match_case ? c - 'A' + 'a' : c);
  }
  for (char& c : needle_) c = static_cast<char>(fold_[static_cast<uint8_t>(c)]);
  if (needle_.empty()) return;
  first_ = needle_[0];
  other_first_ =
      !options_.match_case && first_ >= 'a' && first_ <= 'z' ? static_cast<char>(first_ - 'a' + 'A') : first_;
}

bool TextFinder::fits_at(std::string_view text, size_t at) const {
  const size_t end = at + needle_.size();
  if (continuation_byte(byte_at(text, at))) return false;
  if (end < text.size() && continuation_byte(byte_at(text, end))) return false;
  if (!options_.whole_words) return true;
  return (at == 0 || !word_byte(byte_at(text, at - 1))) && (end == text.size() || !word_byte(byte_at(text, end)));
}

// Calls `found` with each match from `from` on, left to right, without
// overlaps, while it returns true. The first byte is looked for with memchr,
// in each of its cases when they fold: both places are kept, so each byte of
// the text is scanned once per case.
template <typename Found>
void TextFinder::scan(std::string_view text, size_t from, Found found) const {
  const size_t n = needle_.size();
  if (n == 0 || from > text.size() || text.size() - from < n) return;
  const char* begin = text.data();
  const char* end = begin + (text.size() - n + 1);  // past the last place a match can start
  auto next = [end](const char* at, char c) {
    if (at >= end) return end;
    const void* place = std::memchr(at, c, static_cast<size_t>(end - at));
    return place ? static_cast<const char*>(place) : end;
  };
  const bool two_cases = other_first_ != first_;
  const char* one = next(begin + from, first_);
  const char* two = two_cases ? next(begin + from, other_first_) : end;
  for (const char* at = std::min(one, two); at != end; at = std::min(one, two)) {
    size_t k = 1;
    while (k < n && fold_[static_cast<uint8_t>(at[k])] == static_cast<uint8_t>(needle_[k])) ++k;
    const char* resume = at + 1;
    if (k == n && fits_at(text, static_cast<size_t>(at - begin))) {
      if (!found(static_cast<size_t>(at - begin))) return;
      resume = at + n;
    }
    if (one < resume) one = next(resume, first_);
    if (two_cases && two < resume) two = next(resume, other_first_);
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
