#include "update/json.h"

#include <cstdlib>

namespace korvix {

JsonValue::JsonValue() = default;

namespace {

class JsonReader {
 public:
  explicit JsonReader(std::string_view text) : storage_(text), text_(storage_) {}

  bool read_document(JsonValue& out) {
    if (!read_value(out, 0)) return false;
    skip_whitespace();
    return pos_ == text_.size();
  }

 private:
  bool at_end() const { return pos_ >= text_.size(); }

  void skip_whitespace() {
    while (!at_end()) {
      char c = text_[pos_];
      if (c != ' ' && c != '\t' && c != '\n' && c != '\r') return;
      ++pos_;
    }
  }

  bool consume_word(std::string_view word) {
    if (text_.substr(pos_, word.size()) != word) return false;
    pos_ += word.size();
    return true;
  }

  bool read_value(JsonValue& out, int depth) {
    skip_whitespace();
    if (at_end()) return false;
    char c = text_[pos_];
    if (c == '{' || c == '[') {
      if (depth >= json_max_depth) return false;
      return c == '{' ? read_object(out, depth + 1) : read_array(out, depth + 1);
    }
    if (c == '"') {
      out.type = json_string;
      return read_string(out.text);
    }
    if (consume_word("true")) {
      out.type = json_bool;
      out.boolean = true;
      return true;
    }
    if (consume_word("false")) {
      out.type = json_bool;
      return true;
    }
    if (consume_word("null")) return true;
    return read_number(out);
  }

  bool read_object(JsonValue& out, int depth) {
    out.type = json_object;
    ++pos_;
    skip_whitespace();
    if (!at_end() && text_[pos_] == '}') {
      ++pos_;
      return true;
    }
    for (;;) {
      std::string key;
      if (at_end() || text_[pos_] != '"' || !read_string(key)) return false;
      skip_whitespace();
      if (at_end() || text_[pos_] != ':') return false;
      ++pos_;
      JsonValue value;
      if (!read_value(value, depth)) return false;
      out.members.emplace_back(std::move(key), std::move(value));
      skip_whitespace();
      if (at_end()) return false;
      if (text_[pos_] == '}') {
        ++pos_;
        return true;
      }
      if (text_[pos_] != ',') return false;
      ++pos_;
      skip_whitespace();
    }
  }

  bool read_array(JsonValue& out, int depth) {
    out.type = json_array;
    ++pos_;
    skip_whitespace();
    if (!at_end() && text_[pos_] == ']') {
      ++pos_;
      return true;
    }
    for (;;) {
      JsonValue value;
      if (!read_value(value, depth)) return false;
      out.items.push_back(std::move(value));
      skip_whitespace();
      if (at_end()) return false;
      if (text_[pos_] == ']') {
        ++pos_;
        return true;
      }
      if (text_[pos_] != ',') return false;
      ++pos_;
    }
  }

  bool read_number(JsonValue& out) {
    const char* start = storage_.c_str() + pos_;
    char* end = nullptr;
    double number = std::strtod(start, &end);
    if (end == start) return false;
    out.type = json_number;
    out.number = number;
    pos_ += static_cast<size_t>(end - start);
    return true;
  }

  // Four characters read as hex; reading stops at the first non-digit, all four are consumed.
  uint32_t read_hex4() {
    uint32_t value = 0;
    bool digits = true;
    for (int i = 0; i < 4; ++i) {
      char c = text_[pos_++];
      int digit = -1;
      if (c >= '0' && c <= '9') digit = c - '0';
      else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
      else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
      if (digit < 0) digits = false;
      if (digits) value = value * 16 + static_cast<uint32_t>(digit);
    }
    return value;
  }

  static void append_utf8(std::string& out, uint32_t code) {
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code <= 0xFFFF) {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (code >> 18));
      out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }

  bool read_unicode_escape(std::string& out) {
    if (text_.size() - pos_ < 4) return false;
    uint32_t code = read_hex4();
    if (code >= 0xD800 && code <= 0xDBFF && text_.size() - pos_ >= 6 && text_[pos_] == '\\' &&
        text_[pos_ + 1] == 'u') {
      size_t before = pos_;
      pos_ += 2;
      uint32_t low = read_hex4();
      if (low >= 0xDC00 && low <= 0xDFFF) {
        code = (code - 0xD800) * 0x400 + (low - 0xDC00) + 0x10000;
      } else {
        pos_ = before;  // the high surrogate stands alone
      }
    }
    append_utf8(out, code);
    return true;
  }

  bool read_string(std::string& out) {
    ++pos_;
    while (!at_end()) {
      char c = text_[pos_++];
      if (c == '"') return true;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (at_end()) return false;
      char e = text_[pos_++];
      switch (e) {
        case '"': case '/': case '\\': out += e; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'u':
          if (!read_unicode_escape(out)) return false;
          break;
        default: return false;
      }
    }
    return false;
  }

  std::string storage_;  // NUL-terminated for strtod
  std::string_view text_;
  size_t pos_ = 0;
};

}  // namespace

JsonParse parse_json(std::string_view text) {
  JsonParse result;
  JsonReader reader(text);
  JsonValue value;
  if (reader.read_document(value)) {
    result.ok = true;
    result.value = std::move(value);
  }
  return result;
}

const JsonValue& json_null_value() {
  static const JsonValue null_value;  // initialised once, thread-safe
  return null_value;
}

const JsonValue& member(const JsonValue& value, std::string_view key) {
  if (value.type != json_object) return json_null_value();
  for (const auto& [name, child] : value.members) {
    if (name == key) return child;
  }
  return json_null_value();
}

}  // namespace korvix
