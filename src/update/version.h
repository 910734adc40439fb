// The launcher's own version and build commit, and the release version order.
#pragma once

#include <string_view>

namespace korvix {

// "0.6.0"; compared with the tag of the latest stable release.
extern const char* const launcher_own_version;

// The commit this launcher was built from (40 hex, zeros when unknown); compared
// with the experimental release's commit.
extern const char* const launcher_build_commit;

// True when `a` is newer than `b`: dot-separated pieces read like strtol, the
// shorter list padded with zeros, first difference decides. "1.0-beta" reads 1, 0.
bool version_newer(std::string_view a, std::string_view b);

}  // namespace korvix
