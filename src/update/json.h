// JSON reader for the replies of GitHub's REST API. There is no writer.
//
// Lenient where the replies never need strictness (numbers go through strtod,
// string bytes are copied as they are) and strict elsewhere (the whole text
// must be one value, unknown escapes fail).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korvix {

enum JsonType : int32_t {
  json_null = 0,
  json_bool = 1,
  json_number = 2,
  json_string = 3,
  json_array = 4,
  json_object = 5,
};

// One value; only the payload that matches `type` is filled.
struct JsonValue {
  // Defined out of line: an inline one would need the member pair, and so this
  // type, complete inside its own definition (clang's check of pair's default
  // constructor recurses into it).
  JsonValue();

  JsonType type = json_null;
  bool boolean = false;
  double number = 0.0;
  std::string text;
  std::vector<JsonValue> items;
  std::vector<std::pair<std::string, JsonValue>> members;  // document order, duplicates kept
};

// Deeper documents fail instead of exhausting the stack; GitHub's replies nest below 10.
inline constexpr int json_max_depth = 512;

struct JsonParse {
  bool ok = false;
  JsonValue value;  // null unless ok
};

// One value followed by nothing but whitespace.
JsonParse parse_json(std::string_view text);

// The shared null value, returned by lookups that find nothing.
const JsonValue& json_null_value();

// The first member named `key` (byte for byte), or the shared null value when
// there is none or `value` is no object. Lookups chain without checks.
const JsonValue& member(const JsonValue& value, std::string_view key);

}  // namespace korvix
