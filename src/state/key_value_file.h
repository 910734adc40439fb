// The key-value text form of launcher.ini and the install records: one
// "key=value" line per entry, "#" lines skipped, written sorted by key.
#pragma once

#include <cstddef>
#include <filesystem>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace korvix {

// std::map<std::string, ...> orders by unsigned bytes, which is the file's key order.
using KeyValues = std::map<std::string, std::string>;

// Lines split at line feeds; trailing carriage returns and spaces dropped; empty
// lines, lines without "=" and lines starting with "#" skipped. The key ends at
// the first "="; nothing else is trimmed. A later key replaces an earlier one.
KeyValues parse_key_values(std::string_view text);

// One "key=value" line per entry, CR LF line ends, in the map's (byte) order.
// Entries that could not be read back as written are left out (see below).
std::string format_key_values(const KeyValues& entries);

// Whether the entry reads back unchanged: a key without "=", line breaks, a
// leading "#" or a leading byte-order mark, and a value without line breaks or
// trailing spaces.
bool round_trips(const std::string& key, const std::string& value);

// The file's entries; a missing or unreadable file gives an empty map. With
// `max_bytes`, a longer file is read only that far, and the line the end cuts
// is left out.
KeyValues read_ini(const std::filesystem::path& path, size_t max_bytes = std::numeric_limits<size_t>::max());

// Writes the entries atomically, creating the folder first. False when the file
// could not be written, or when an entry had to be left out; `error`, when
// given, then tells why in a few words.
bool write_ini(const std::filesystem::path& path, const KeyValues& entries, std::string* error = nullptr);

}  // namespace korvix
