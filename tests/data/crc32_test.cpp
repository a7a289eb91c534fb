// CRC-32 (IEEE 802.3): known check values.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "data/style.h"

namespace {

uint32_t crcOf(const char* text) { return crc32(reinterpret_cast<const uint8_t*>(text), std::strlen(text)); }

TEST(Crc32, MatchesKnownCheckValues) {
  EXPECT_EQ(crcOf("abc"), 0x352441C2u);
  EXPECT_EQ(crcOf("123456789"), 0xCBF43926u);
  EXPECT_EQ(crcOf("The quick brown fox jumps over the lazy dog"), 0x414FA339u);
  EXPECT_EQ(crc32(nullptr, 0), 0u);
  std::vector<uint8_t> zeros(32, 0), ones(32, 0xFF);
  EXPECT_EQ(crc32(zeros.data(), zeros.size()), 0x190A55ADu);
  EXPECT_EQ(crc32(ones.data(), ones.size()), 0xFF6CAB0Bu);
}

}  // namespace
