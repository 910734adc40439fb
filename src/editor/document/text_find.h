// Finding a search text in the editor's texts, and replacing it, by one set of
// rules that the clip list, the count, stepping and replacing share:
//
// - ASCII letters match in either case unless "Match case" is on; every other
//   byte matches only itself.
// - With "Whole words", a match needs neighbours (or the text's ends) that are
//   no letter, no digit and no byte of a multi-byte character.
// - A match never starts or ends inside a multi-byte (UTF-8) character.
// - Matches don't overlap: each search goes on after the last match, and text
//   put in by a replacement is not searched again.
// - An empty search finds nothing.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace korvix {

struct FindOptions {
  bool match_case = false;
  bool whole_words = false;
  bool names = false;  // also in the speakers' names
  bool operator==(const FindOptions&) const = default;
};

class TextFinder {
 public:
  static constexpr size_t npos = std::string_view::npos;

  TextFinder() = default;
  TextFinder(std::string_view search, FindOptions options);

  bool empty() const { return needle_.empty(); }
  size_t size() const { return needle_.size(); }
  const FindOptions& options() const { return options_; }

  // The first match that starts at or after `from`, or npos.
  size_t find(std::string_view text, size_t from = 0) const;
  bool found_in(std::string_view text) const { return find(text) != npos; }
  // A match starts exactly at `at`.
  bool matches_at(std::string_view text, size_t at) const;
  size_t count(std::string_view text) const;
  // The last match that starts before `before`, counting matches from the
  // text's start as `count` does; npos when there is none.
  size_t find_last_before(std::string_view text, size_t before) const;

 private:
  bool fits_at(std::string_view text, size_t at) const;
  template <typename Found>
  void scan(std::string_view text, size_t from, Found found) const;

  std::string needle_;  // in lower case unless matching case
  FindOptions options_;
  std::array<uint8_t, 256> fold_{};  // each byte as it is compared
  size_t key_ = 0;                   // where its least common byte is
  char key_byte_ = 0;                // that byte, and its other case when it folds
  char other_key_byte_ = 0;
};

// `text` with every match replaced by `with`; `replaced` counts those it
// changed (a match that already reads as `with` isn't).
std::string replace_matches(std::string_view text, const TextFinder& finder, std::string_view with, size_t& replaced);

}  // namespace korvix
