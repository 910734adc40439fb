// The key-value form of launcher.ini and the install records, and the first
// line of source.path, over any bytes (files other programs and older
// launchers wrote): no crash; every entry written reads back as it was, and
// exactly the entries that can't be written are left out; stored text becomes
// a path or nothing, never an exception (Windows converts it to UTF-16).
#include <string>

#include "fuzz_support.h"
#include "platform/paths.h"
#include "state/key_value_file.h"
#include "state/launcher_config.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text = korvix::fuzz::as_text(data, size);

  korvix::KeyValues entries = korvix::parse_key_values(text);
  korvix::KeyValues writable;
  for (const auto& [key, value] : entries) {
    FUZZ_CHECK(key.find_first_of("=\n") == std::string::npos && !key.starts_with('#'));
    FUZZ_CHECK(value.find('\n') == std::string::npos);
    FUZZ_CHECK(value.empty() || (value.back() != ' ' && value.back() != '\r'));
    if (korvix::round_trips(key, value)) writable.emplace(key, value);
    korvix::path_from_text(value);
  }
  std::string written = korvix::format_key_values(entries);
  FUZZ_CHECK(korvix::parse_key_values(written) == writable);

  std::string source = korvix::source_path_text(text);
  FUZZ_CHECK(source.find('\n') == std::string::npos);
  FUZZ_CHECK(source.empty() || (source.back() != ' ' && source.back() != '\r'));
  FUZZ_CHECK(text.starts_with(source));
  korvix::path_from_text(source);
  return 0;
}
