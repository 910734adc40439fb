// Links between folders: symbolic links everywhere, and junctions on Windows.
#pragma once

#include <filesystem>
#include <system_error>

namespace korvix {

// True when the entry is a link of any kind (or can't be told), so a search
// must not enter it: it may lead anywhere, or back to itself.
bool is_link_entry(const std::filesystem::directory_entry& entry);

// Makes `to` a link that says what the link `from` says (not a copy of what it
// leads to, which may be anywhere or nowhere). On failure `error` tells why;
// `operation_not_supported` where the launcher doesn't make links (Windows,
// where a player rarely has the right to).
bool copy_link(const std::filesystem::path& from, const std::filesystem::path& to, std::error_code& error);

}  // namespace korvix
