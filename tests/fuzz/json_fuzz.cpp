// The JSON reader over any bytes (replies from the network): no crash, no
// runaway recursion; a failed parse gives the null value; and a tree that was
// read, written out again, reads back as the same tree.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "fuzz_support.h"
#include "update/json.h"

namespace {

using korvix::JsonValue;

void write_string(const std::string& text, std::string& out) {
  out += '"';
  for (char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(static_cast<unsigned char>(c)));
      out += escape;
    } else {
      out += c;  // other bytes, invalid UTF-8 included, are read as they are
    }
  }
  out += '"';
}

void write(const JsonValue& value, std::string& out) {
  switch (value.type) {
    case korvix::json_null:
      out += "null";
      break;
    case korvix::json_bool:
      out += value.boolean ? "true" : "false";
      break;
    case korvix::json_number: {
      char number[40];
      std::snprintf(number, sizeof number, "%.17g", value.number);  // strtod reads inf and nan back too
      out += number;
      break;
    }
    case korvix::json_string:
      write_string(value.text, out);
      break;
    case korvix::json_array:
      out += '[';
      for (size_t i = 0; i < value.items.size(); ++i) {
        if (i > 0) out += ',';
        write(value.items[i], out);
      }
      out += ']';
      break;
    case korvix::json_object:
      out += '{';
      for (size_t i = 0; i < value.members.size(); ++i) {
        if (i > 0) out += ',';
        write_string(value.members[i].first, out);
        out += ':';
        write(value.members[i].second, out);
      }
      out += '}';
      break;
  }
}

bool same_number(double a, double b) {
  if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
  return std::memcmp(&a, &b, sizeof a) == 0;  // -0 stays -0
}

bool same(const JsonValue& a, const JsonValue& b) {
  if (a.type != b.type || a.boolean != b.boolean || !same_number(a.number, b.number) || a.text != b.text ||
      a.items.size() != b.items.size() || a.members.size() != b.members.size())
    return false;
  for (size_t i = 0; i < a.items.size(); ++i)
    if (!same(a.items[i], b.items[i])) return false;
  for (size_t i = 0; i < a.members.size(); ++i)
    if (a.members[i].first != b.members[i].first || !same(a.members[i].second, b.members[i].second)) return false;
  return true;
}

// Only the payload of its type is filled, at every level; member() finds the
// first of duplicate keys.
void check_tree(const JsonValue& value) {
  if (value.type != korvix::json_bool) FUZZ_CHECK(!value.boolean);
  if (value.type != korvix::json_number) FUZZ_CHECK(value.number == 0.0);
  if (value.type != korvix::json_string) FUZZ_CHECK(value.text.empty());
  if (value.type != korvix::json_array) FUZZ_CHECK(value.items.empty());
  if (value.type != korvix::json_object) FUZZ_CHECK(value.members.empty());
  for (const JsonValue& item : value.items) check_tree(item);
  for (size_t i = 0; i < value.members.size(); ++i) {
    const auto& [key, child] = value.members[i];
    const JsonValue* first = &child;
    for (size_t j = 0; j < i; ++j) {
      if (value.members[j].first == key) {
        first = &value.members[j].second;
        break;
      }
    }
    FUZZ_CHECK(&korvix::member(value, key) == first);
    check_tree(child);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  korvix::JsonParse parsed = korvix::parse_json(korvix::fuzz::as_text(data, size));
  if (!parsed.ok) {
    FUZZ_CHECK(same(parsed.value, korvix::json_null_value()));
    return 0;
  }
  check_tree(parsed.value);
  // A key the object lacks gives the shared null value.
  std::string absent = "\x01missing";
  for (const auto& [key, child] : parsed.value.members)
    if (key.size() >= absent.size()) absent = key + "~";
  FUZZ_CHECK(&korvix::member(parsed.value, absent) == &korvix::json_null_value());

  std::string written;
  write(parsed.value, written);
  korvix::JsonParse again = korvix::parse_json(written);
  FUZZ_CHECK(again.ok);
  FUZZ_CHECK(same(parsed.value, again.value));
  return 0;
}
