#include "install/log_index.h"

#include <algorithm>
#include <cstring>

namespace korvix {

size_t count_line_feeds(std::string_view bytes) {
  constexpr uint64_t feeds = 0x0A0A0A0A0A0A0A0AULL;
  constexpr uint64_t low7 = 0x7F7F7F7F7F7F7F7FULL;
  constexpr uint64_t ones = 0x0101010101010101ULL;
  const char* at = bytes.data();
  size_t left = bytes.size();
  size_t count = 0;
  while (left >= 8) {
    // Up to 255 words add their feeds into eight byte-wide counters, summed at the end.
    uint64_t counters = 0;
    for (int words = 0; words < 255 && left >= 8; ++words, at += 8, left -= 8) {
      uint64_t word;
      std::memcpy(&word, at, 8);
      word ^= feeds;  // a line feed is now a zero byte
      // The high bit of each byte that is not zero; no carry crosses bytes.
      uint64_t nonzero = ((word & low7) + low7) | word;
      counters += (~nonzero >> 7) & ones;
    }
    // Eight counters of up to 255 each: summed in 16-bit lanes, they can't overflow.
    constexpr uint64_t even_bytes = 0x00FF00FF00FF00FFULL;
    uint64_t pairs = (counters & even_bytes) + ((counters >> 8) & even_bytes);
    count += static_cast<size_t>((pairs * 0x0001000100010001ULL) >> 48);
  }
  for (; left > 0; --left, ++at) count += *at == '\n';
  return count;
}

void LogIndex::add(std::string_view bytes) {
  const char* data = bytes.data();
  const size_t size = bytes.size();
  size_t at = 0;
  while (at < size) {
    // Every line feed before this one starts a line in the block already kept:
    // only count them.
    uint64_t kept_block = anchors_.back().offset / block_bytes;
    uint64_t counted_until = (kept_block + 1) * block_bytes - 1;  // a feed here starts the next block
    if (bytes_ + at < counted_until) {
      size_t end = static_cast<size_t>(std::min<uint64_t>(size, counted_until - bytes_));
      std::string_view part(data + at, end - at);
      size_t feeds = count_line_feeds(part);
      if (feeds > 0) {
        line_feeds_ += feeds;
        last_start_ = bytes_ + at + part.rfind('\n') + 1;
      }
      at = end;
      continue;
    }
    // The next line feed starts a line in a new block: keep that start.
    const void* feed = std::memchr(data + at, '\n', size - at);
    if (!feed) break;
    size_t position = static_cast<size_t>(static_cast<const char*>(feed) - data);
    ++line_feeds_;
    last_start_ = bytes_ + position + 1;
    anchors_.push_back({line_feeds_, last_start_});
    at = position + 1;
  }
  bytes_ += size;
}

LogIndex::Anchor LogIndex::anchor_for(uint64_t line) const {
  auto after = std::upper_bound(anchors_.begin(), anchors_.end(), line,
                                [](uint64_t value, const Anchor& anchor) { return value < anchor.line; });
  return *(after - 1);
}

LogIndex::Anchor LogIndex::anchor_at_or_before(uint64_t offset) const {
  auto after = std::upper_bound(anchors_.begin(), anchors_.end(), offset,
                                [](uint64_t value, const Anchor& anchor) { return value < anchor.offset; });
  return *(after - 1);
}

}  // namespace korvix
