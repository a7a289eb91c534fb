#include "levelfile/cp1252.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string utf8Of(const std::string& bytes, size_t maxBytes) {
  return cp1252ToUtf8(reinterpret_cast<const uint8_t*>(bytes.data()), maxBytes);
}

// The code point of one UTF-8 sequence of one to three bytes.
char32_t decodeOne(const std::string& s) {
  const auto b = [&](size_t k) { return char32_t(uint8_t(s[k])); };
  if (s.size() == 1) return b(0);
  if (s.size() == 2) return (b(0) & 0x1F) << 6 | (b(1) & 0x3F);
  return (b(0) & 0x0F) << 12 | (b(1) & 0x3F) << 6 | (b(2) & 0x3F);
}

}  // namespace

TEST(Cp1252, BytesBecomeUtf8UpToTheFirstZeroOrTheLimit) {
  const struct {
    std::string bytes;
    size_t maxBytes;
    std::string utf8;
  } cases[] = {
      {"Level 1", 7, "Level 1"},
      {"Caf\xE9 \x80\x92", 7, "Caf\xC3\xA9 \xE2\x82\xAC\xE2\x80\x99"},
      {"\x81\x8D\x8F\x90\x9D", 5, "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},  // unassigned keep their value
      {"\xA0\xFF\x9F", 3, "\xC2\xA0\xC3\xBF\xC5\xB8"},
      {std::string("ab\0cd", 5), 5, "ab"},
      {"abcdef", 4, "abcd"},
      {"", 0, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(utf8Of(c.bytes, c.maxBytes), c.utf8) << c.bytes;
}

TEST(Cp1252, EveryNonZeroByteComesBackFromItsCodePoint) {
  for (int byte = 1; byte < 256; ++byte) {
    const std::string utf8 = utf8Of(std::string(1, char(byte)), 1);
    ASSERT_FALSE(utf8.empty()) << byte;
    uint8_t back = 0;
    ASSERT_TRUE(cp1252ByteOf(decodeOne(utf8), &back)) << byte;
    EXPECT_EQ(back, byte);
  }
}

TEST(Cp1252, CodePointsWithoutAByteAreRefused) {
  for (char32_t codePoint : {0x80u, 0x9Fu, 0x100u, 0x4E2Du, 0x1F600u}) {
    uint8_t byte = 0x55;
    EXPECT_FALSE(cp1252ByteOf(codePoint, &byte)) << uint32_t(codePoint);
    EXPECT_EQ(byte, 0x55);
  }
}
