// SHA-256 against published vectors and against lengths around the block edges.
#include "platform/sha256.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <utility>

#include "state/state_test_support.h"

namespace korvix {
namespace {

std::string counting_bytes(size_t length) {
  std::string bytes;
  for (size_t i = 0; i < length; ++i) bytes += static_cast<char>((i * 7) & 255);
  return bytes;
}

TEST(Sha256Test, PublishedVectors) {
  EXPECT_EQ(sha256_hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(sha256_hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_EQ(sha256_hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
            "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
  EXPECT_EQ(sha256_hex(std::string(1000000, 'a')), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TEST(Sha256Test, LengthsAroundThePaddingEdgesAndPiecewiseInput) {
  // Where the length field does or doesn't fit in the last block.
  const std::pair<size_t, const char*> cases[] = {
      {55, "576a1bf8d4478657e6dc4af9398544765c2a92cde28478b019235cfed315fc09"},
      {56, "9b20501dfd1d99161c257950f3444f3e49230c351c5c8e0943ef369f85f5205d"},
      {63, "30b345906b493f06f69444b6521113511c242f30e29840462950035043682f1e"},
      {64, "d8bc63b4fc1156e5e7d95a418b9bf54cd3174bedbc2db40f74895349b229b3c0"},
      {65, "1ee23b0fbcaecc1aff4a9e8f1645f35ab2c8e13609cd73b68df8b5e3f63ce073"},
      {119, "7a6589821178918ca8d9edaba5abfc1e9b2669564f4469b66885379c1530b2c8"},
      {120, "655250427d56b1b0eeb8497d21428704273458a01772d6881b65c0abac0f8a98"},
  };
  for (const auto& [length, expected] : cases) {
    std::string bytes = counting_bytes(length);
    EXPECT_EQ(sha256_hex(bytes), expected) << length;
    Sha256 pieces;
    for (size_t at = 0; at < bytes.size(); at += 13) pieces.update(std::string_view(bytes).substr(at, 13));
    std::optional<std::array<uint8_t, 32>> digest = pieces.finish();
    ASSERT_TRUE(digest.has_value());
    std::string hex;
    for (uint8_t byte : *digest) {
      char two[3];
      std::snprintf(two, sizeof two, "%02x", byte);
      hex += two;
    }
    EXPECT_EQ(hex, expected) << "in pieces of 13 bytes, " << length;
  }
}

TEST(Sha256Test, FileDigestReadsEveryByteAndMissingFilesGiveNothing) {
  test::TempFolder folder;
  std::string bytes = counting_bytes(200000);  // several read buffers
  std::ofstream(folder / "file.bin", std::ios::binary) << bytes;
  EXPECT_EQ(sha256_file_hex(folder / "file.bin"), sha256_hex(bytes));
  EXPECT_FALSE(sha256_file_hex(folder / "missing.bin").has_value());
}

}  // namespace
}  // namespace korvix
