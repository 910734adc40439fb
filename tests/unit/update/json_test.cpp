// The JSON reader on the edge cases GitHub's replies and hostile input bring.
#include "update/json.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace korvix {
namespace {

bool parses(std::string_view text) { return parse_json(text).ok; }

JsonValue parsed(std::string_view text) {
  JsonParse result = parse_json(text);
  EXPECT_TRUE(result.ok) << text;
  return result.value;
}

TEST(JsonTest, WholeTextMustBeOneValue) {
  EXPECT_FALSE(parses(""));
  EXPECT_FALSE(parses(" \t\r\n"));
  EXPECT_FALSE(parses("[1] [2]"));
  EXPECT_FALSE(parses("{} x"));
  EXPECT_FALSE(parses("truex"));
  EXPECT_FALSE(parses("nul"));
  EXPECT_TRUE(parses(" \n[ \t]\r\n"));
  EXPECT_TRUE(parses("{ }"));
  JsonParse failed = parse_json("[1,");
  EXPECT_EQ(failed.value.type, json_null) << "a failed parse hands out a null value";
  EXPECT_TRUE(failed.value.items.empty());
}

TEST(JsonTest, TrailingCommasAndMissingPartsFail) {
  EXPECT_FALSE(parses("[1,]"));
  EXPECT_FALSE(parses("{\"a\":1,}"));
  EXPECT_FALSE(parses("{\"a\" 1}"));
  EXPECT_FALSE(parses("{a:1}"));
  EXPECT_FALSE(parses("[1 2]"));
  EXPECT_FALSE(parses("{\"a\":1"));
  EXPECT_FALSE(parses("\"open"));
}

TEST(JsonTest, ReadsEveryKindOfValue) {
  JsonValue value = parsed(R"({"s":"x","n":-1.5,"t":true,"f":false,"z":null,"a":[1,[2]],"o":{"k":"v"}})");
  ASSERT_EQ(value.type, json_object);
  ASSERT_EQ(value.members.size(), 7u);
  EXPECT_EQ(member(value, "s").text, "x");
  EXPECT_EQ(member(value, "n").number, -1.5);
  EXPECT_TRUE(member(value, "t").boolean);
  EXPECT_EQ(member(value, "f").type, json_bool);
  EXPECT_FALSE(member(value, "f").boolean);
  EXPECT_EQ(member(value, "z").type, json_null);
  EXPECT_EQ(&member(value, "z"), &member(value, "z")) << "an explicit null is the document's own";
  ASSERT_EQ(member(value, "a").items.size(), 2u);
  EXPECT_EQ(member(value, "a").items[1].items[0].number, 2.0);
  EXPECT_EQ(member(member(value, "o"), "k").text, "v");
}

TEST(JsonTest, LookupsThatFindNothingGiveTheSharedNull) {
  JsonValue value = parsed(R"({"a":"text","a":"second"})");
  EXPECT_EQ(member(value, "a").text, "text") << "the first of duplicate keys wins";
  EXPECT_EQ(value.members.size(), 2u) << "duplicates are kept";
  const JsonValue& missing = member(value, "missing");
  EXPECT_EQ(&missing, &json_null_value());
  EXPECT_EQ(&member(member(value, "a"), "x"), &json_null_value()) << "a string has no members";
  EXPECT_EQ(&member(member(member(value, "no"), "deeper"), "still"), &json_null_value());
  EXPECT_EQ(missing.text, "");
  EXPECT_EQ(missing.number, 0.0);
  EXPECT_EQ(member(value, "A").type, json_null) << "keys match byte for byte";
}

TEST(JsonTest, NumbersAreReadLikeStrtod) {
  EXPECT_EQ(parsed("1e3").number, 1000.0);
  EXPECT_EQ(parsed("+5").number, 5.0);
  EXPECT_EQ(parsed(".5").number, 0.5);
  EXPECT_EQ(parsed(" -0.25 ").number, -0.25);
  EXPECT_EQ(parsed("[12345678901]").items[0].number, 12345678901.0);
  EXPECT_FALSE(parses("-"));
  EXPECT_FALSE(parses("[-]"));
  EXPECT_FALSE(parses("x"));
}

TEST(JsonTest, StringEscapes) {
  EXPECT_EQ(parsed(R"("a\"b\/c\\d")").text, "a\"b/c\\d");
  EXPECT_EQ(parsed(R"("\b\f\n\r\t")").text, "\b\f\n\r\t");
  EXPECT_EQ(parsed(R"("\u00e9\u20AC")").text, "\xC3\xA9\xE2\x82\xAC");
  EXPECT_EQ(parsed(R"("\uD83D\uDE00")").text, "\xF0\x9F\x98\x80");
  EXPECT_EQ(parsed(R"("\uD83D")").text, "\xED\xA0\xBD") << "a lone high surrogate is written as three bytes";
  EXPECT_EQ(parsed(R"("\uD83D\u0041")").text, "\xED\xA0\xBD" "A") << "a non-low escape after it is read normally";
  EXPECT_EQ(parsed(R"("\uD83Dx")").text, "\xED\xA0\xBD" "x");
  EXPECT_EQ(parsed(R"("\u12G4")").text, "\x12") << "hex stops at the first non-digit, four characters consumed";
  EXPECT_EQ(parsed(R"("\u0000")").text, std::string(1, '\0'));
  EXPECT_FALSE(parses(R"("\x41")"));
  EXPECT_FALSE(parses(R"("\u12")"));
  EXPECT_FALSE(parses("\"\\"));
}

TEST(JsonTest, StringBytesAreCopiedAsTheyAre) {
  std::string raw = std::string("\"tab\there\x01\xff\xfe") + '\0' + "end\"";
  EXPECT_EQ(parsed(raw).text, std::string("tab\there\x01\xff\xfe") + '\0' + "end");
}

TEST(JsonTest, DeepNestingFailsCleanly) {
  std::string deep(100000, '[');
  deep += std::string(100000, ']');
  EXPECT_FALSE(parses(deep));
  std::string objects;
  for (int i = 0; i < 100000; ++i) objects += "{\"a\":";
  EXPECT_FALSE(parses(objects + "1" + std::string(100000, '}')));

  std::string at_limit = std::string(json_max_depth, '[') + std::string(json_max_depth, ']');
  EXPECT_TRUE(parses(at_limit));
  std::string over = "[" + at_limit + "]";
  EXPECT_FALSE(parses(over));
}

TEST(JsonTest, RandomBytesNeverCrash) {
  std::mt19937 random(20261208);
  const std::string alphabet = "{}[]\",:\\u0123456789abcdefDEtrunlsx+-.eE \n\t";
  int parsed_count = 0;
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    size_t length = random() % 64;
    for (size_t i = 0; i < length; ++i) {
      text += round % 2 ? static_cast<char>(random() % 256) : alphabet[random() % alphabet.size()];
    }
    if (parse_json(text).ok) ++parsed_count;
  }
  EXPECT_LT(parsed_count, 3000);
}

TEST(JsonTest, ReadsGitHubReplies) {
  JsonValue branches = parsed(R"([
  {"name": "main", "commit": {"sha": "c5b97d5ae6c19d5c5df71a34c7fbeeda2479ccbc",
   "url": "https://api.github.com/repos/o/n/commits/c5b97d5ae6c19d5c5df71a34c7fbeeda2479ccbc"}, "protected": true},
  {"name": "experimental", "commit": {"sha": "d6cd1e2bd19e03a81132a23b2025920577f84e37", "url": "u"}, "protected": false}
])");
  ASSERT_EQ(branches.items.size(), 2u);
  EXPECT_EQ(member(branches.items[1], "name").text, "experimental");

  JsonValue commit = parsed(R"({"sha": "7638417db6d59f3c431d3e1f261cc637155684cd", "node_id": "C_kw",
  "commit": {"author": {"name": "A", "email": "a@example.com", "date": "2024-03-05T10:11:12Z"},
   "committer": {"name": "C", "email": "c@example.com", "date": "2024-03-06T01:02:03Z"},
   "message": "Fix the menu\n\nLonger text", "tree": {"sha": "691272480426f78a0138979dd3ce63b77f706feb"},
   "comment_count": 0, "verification": {"verified": false, "reason": "unsigned", "signature": null}},
  "parents": [{"sha": "553c2077f0edc3d5dc5d17262f6aa498e69d6f8e"}], "stats": {"total": 3}})");
  EXPECT_EQ(member(member(member(commit, "commit"), "committer"), "date").text, "2024-03-06T01:02:03Z");
  EXPECT_EQ(member(member(commit, "commit"), "message").text, "Fix the menu\n\nLonger text");

  JsonValue compare = parsed(R"({"status": "ahead", "ahead_by": 2, "behind_by": 0, "total_commits": 2,
  "commits": [{"sha": "aaaaaaa1", "commit": {"message": "one"}}, {"sha": "bbbbbbb2", "commit": {"message": "two"}}],
  "files": []})");
  EXPECT_EQ(member(compare, "ahead_by").number, 2.0);
  EXPECT_EQ(member(compare, "commits").items.size(), 2u);

  JsonValue release = parsed(R"({"tag_name": "launcher-v0.7.0", "target_commitish": "main", "draft": false,
  "assets": [{"name": "korvix-launcher-windows-x64.exe", "size": 7340032, "download_count": 12,
   "browser_download_url": "https://github.com/o/n/releases/download/launcher-v0.7.0/korvix-launcher-windows-x64.exe"}],
  "body": "Notes with \u2019 quote"})");
  EXPECT_EQ(member(member(release, "assets").items[0], "size").number, 7340032.0);
  EXPECT_EQ(member(release, "body").text, "Notes with \xE2\x80\x99 quote");
}

}  // namespace
}  // namespace korvix
