#include "ui/text_fit.h"

#include <algorithm>

#include "base/utf8.h"

namespace korvix {

namespace {

constexpr std::string_view ellipsis = "...";
// The first search step, in bytes: most cut points lie a few steps beyond it.
constexpr size_t first_step = 32;

// The byte lengths of a text's prefixes (or suffixes) that never split a UTF-8
// character, with the steps between them.
class CharBoundaries {
 public:
  CharBoundaries(std::string_view text, bool from_end) : text_(text), from_end_(from_end) {}

  bool valid(size_t length) const {
    if (length == 0 || length >= text_.size()) return true;
    return !is_utf8_continuation(text_[from_end_ ? text_.size() - length : length]);
  }
  size_t at_or_below(size_t length) const {
    while (!valid(length)) --length;
    return length;
  }
  size_t above(size_t length) const {
    do ++length;
    while (!valid(length));
    return length;
  }

 private:
  std::string_view text_;
  bool from_end_;
};

// The longest length up to `limit` that `fits`, given that every length up to
// some point fits and none beyond it does. Gallops out from a short length, then
// halves the gap: a few measurements, none much longer than the answer.
template <class Fits>
size_t longest_fitting(const CharBoundaries& boundaries, size_t limit, const Fits& fits) {
  limit = boundaries.at_or_below(limit);
  size_t good = 0;
  size_t bad = limit + 1;
  for (size_t step = first_step;; step *= 2) {
    size_t length = boundaries.at_or_below(std::min(step, limit));
    if (length > good) {
      if (!fits(length)) {
        bad = length;
        break;
      }
      good = length;
    }
    if (step >= limit) break;
  }
  if (good == limit) return good;
  for (;;) {
    size_t middle = boundaries.at_or_below(good + (bad - good) / 2);
    if (middle <= good) middle = boundaries.above(good);
    if (middle >= bad) return good;
    if (fits(middle)) {
      good = middle;
    } else {
      bad = middle;
    }
  }
}

// The longest start of `text` that fits in `width`, in bytes.
size_t fitting_prefix(std::string_view text, float width, const MeasureText& measure) {
  CharBoundaries boundaries(text, false);
  return longest_fitting(boundaries, std::min(text.size(), fitted_bytes_limit),
                         [&](size_t length) { return measure(text.substr(0, length)) <= width; });
}

// The start of `text` up to `fits` bytes and the character after them, which
// begins inside the width and is cut by the clip.
std::string_view through_cut_character(std::string_view text, size_t fits) {
  if (fits < text.size() && fits < fitted_bytes_limit) fits = CharBoundaries(text, false).above(fits);
  return text.substr(0, fits);
}

}  // namespace

std::string_view visible_part(std::string_view text, float width, const MeasureText& measure) {
  return through_cut_character(text, fitting_prefix(text, width, measure));
}

std::vector<std::string> wrap_text(std::string_view text, float width, const MeasureText& measure) {
  std::vector<std::string> lines;
  while (lines.size() < wrapped_lines_limit) {
    size_t fits = fitting_prefix(text, width, measure);
    if (fits == text.size()) {
      lines.emplace_back(text);
      break;
    }
    // The last blank with a fitting part before it: the part fits whole.
    size_t cut = text.rfind(' ', fits);
    if (cut != std::string_view::npos) {
      lines.emplace_back(text.substr(0, cut));
    } else {
      // A word wider than the line: alone on its line, as far as it shows.
      lines.emplace_back(through_cut_character(text, fits));
      cut = text.find(' ', fits);
      if (cut == std::string_view::npos) break;
    }
    text.remove_prefix(cut + 1);
  }
  return lines;
}

std::string screenful(std::string_view text) {
  constexpr size_t head_limit = wrapped_lines_limit * fitted_bytes_limit;
  constexpr size_t tail_limit = fitted_bytes_limit;
  if (text.size() <= head_limit + tail_limit) return std::string(text);
  size_t head = CharBoundaries(text, false).at_or_below(head_limit);
  size_t tail = CharBoundaries(text, true).at_or_below(tail_limit);
  std::string shown;
  shown.reserve(head + tail);
  shown.append(text.substr(0, head));
  shown.append(text.substr(text.size() - tail));
  return shown;
}

std::string truncate_front(std::string_view text, float width, const MeasureText& measure) {
  CharBoundaries boundaries(text, true);
  size_t limit = std::min(text.size(), fitted_bytes_limit);
  auto suffix = [&](size_t length) { return text.substr(text.size() - length); };
  if (text.size() <= fitted_bytes_limit && longest_fitting(boundaries, limit, [&](size_t length) {
                                             return measure(suffix(length)) <= width;
                                           }) == text.size())
    return std::string(text);
  std::string candidate;
  size_t kept = longest_fitting(boundaries, limit, [&](size_t length) {
    candidate.assign(ellipsis);
    candidate.append(suffix(length));
    return measure(candidate) <= width;
  });
  candidate.assign(ellipsis);
  candidate.append(suffix(kept));
  return candidate;
}

std::string truncate_back(std::string_view text, float width, const MeasureText& measure) {
  if (text.size() <= fitted_bytes_limit && fitting_prefix(text, width, measure) == text.size()) return std::string(text);
  std::string candidate;
  CharBoundaries boundaries(text, false);
  size_t kept = longest_fitting(boundaries, std::min(text.size(), fitted_bytes_limit), [&](size_t length) {
    candidate.assign(text.substr(0, length));
    candidate.append(ellipsis);
    return measure(candidate) <= width;
  });
  candidate.assign(text.substr(0, kept));
  candidate.append(ellipsis);
  return candidate;
}

}  // namespace korvix
