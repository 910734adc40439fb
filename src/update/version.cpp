#include "update/version.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace korvix {

const char* const launcher_own_version = KORVIX_LAUNCHER_VERSION;
const char* const launcher_build_commit = KORVIX_LAUNCHER_BUILD_COMMIT;

namespace {

std::vector<long> version_pieces(std::string_view text) {
  std::vector<long> pieces;
  size_t start = 0;
  for (;;) {
    size_t dot = text.find('.', start);
    std::string piece(text.substr(start, dot == std::string_view::npos ? std::string_view::npos : dot - start));
    pieces.push_back(std::strtol(piece.c_str(), nullptr, 10));
    if (dot == std::string_view::npos) return pieces;
    start = dot + 1;
  }
}

}  // namespace

bool version_newer(std::string_view a, std::string_view b) {
  std::vector<long> left = version_pieces(a);
  std::vector<long> right = version_pieces(b);
  size_t length = std::max(left.size(), right.size());
  left.resize(length, 0);
  right.resize(length, 0);
  for (size_t i = 0; i < length; ++i) {
    if (left[i] != right[i]) return left[i] > right[i];
  }
  return false;
}

}  // namespace korvix
