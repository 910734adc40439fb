// LogIndex: where the lines of a log begin, small enough for a log of any size.
//
// Only the first line start in each 4 KiB block of the file is kept, with its
// line number: any other line start lies in the same block as the kept one
// before it, so less than one block has to be read to find it. A 200 MB log
// keeps about 51,000 starts (800 KB), whatever its lines are like.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace korvix {

class LogIndex {
 public:
  static constexpr uint64_t block_bytes = 4096;

  struct Anchor {
    uint64_t line;
    uint64_t offset;
  };

  // Takes in the next bytes of the file, in order.
  void add(std::string_view bytes);

  // The bytes taken in so far.
  uint64_t bytes() const { return bytes_; }
  // Lines begun so far: every line feed ends one, and a last line without its
  // line feed (still being written) counts too.
  uint64_t line_count() const { return line_feeds_ + (bytes_ > last_start_ ? 1 : 0); }
  // Where the last line begins (the end of the file once it ends with a line feed).
  uint64_t last_start() const { return last_start_; }

  // The kept start at or before the start of `line`.
  Anchor anchor_for(uint64_t line) const;
  // The kept start at or before byte `offset`.
  Anchor anchor_at_or_before(uint64_t offset) const;

  size_t memory_bytes() const { return anchors_.capacity() * sizeof(Anchor); }

 private:
  std::vector<Anchor> anchors_{{0, 0}};
  uint64_t bytes_ = 0;
  uint64_t line_feeds_ = 0;
  uint64_t last_start_ = 0;
};

// The line feeds in `bytes`, eight bytes at a time.
size_t count_line_feeds(std::string_view bytes);

}  // namespace korvix
