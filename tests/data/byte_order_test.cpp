#include "data/byte_order.h"

#include <gtest/gtest.h>

#include <vector>

using Bytes = std::vector<uint8_t>;

TEST(ByteOrder, StoresWriteTheirBytesInOrderAndNothingElse) {
  Bytes buf(8, 0xAA);
  putU16LE(buf.data(), 1, 0x1234);
  EXPECT_EQ(buf, (Bytes{0xAA, 0x34, 0x12, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA}));
  buf.assign(8, 0xAA);
  putU16BE(buf.data(), 1, 0x1234);
  EXPECT_EQ(buf, (Bytes{0xAA, 0x12, 0x34, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA}));
  buf.assign(8, 0xAA);
  putU32BE(buf.data(), 2, 8640);
  EXPECT_EQ(buf, (Bytes{0xAA, 0xAA, 0x00, 0x00, 0x21, 0xC0, 0xAA, 0xAA}));
  buf.assign(8, 0xAA);
  putU32LE(buf.data(), 2, 0x01020304);
  EXPECT_EQ(buf, (Bytes{0xAA, 0xAA, 0x04, 0x03, 0x02, 0x01, 0xAA, 0xAA}));
}

TEST(ByteOrder, SixteenBitStoresKeepTheLowBitsOfNegativeValues) {
  Bytes buf(2);
  putU16LE(buf.data(), 0, uint32_t(-1));
  EXPECT_EQ(buf, (Bytes{0xFF, 0xFF}));
  putU16LE(buf.data(), 0, uint32_t(-16));
  EXPECT_EQ(buf, (Bytes{0xF0, 0xFF}));
  putU16BE(buf.data(), 0, 0x12345678);
  EXPECT_EQ(buf, (Bytes{0x56, 0x78}));
}

TEST(ByteOrder, ReadsMirrorStores) {
  Bytes buf(12);
  putU32BE(buf.data(), 0, 0xDEADBEEF);
  putU32LE(buf.data(), 4, 0xCAFEF00D);
  putU16BE(buf.data(), 8, 0xABCD);
  putU16LE(buf.data(), 10, 0x1357);
  ByteReader r = makeReader(buf.data(), buf.size());
  EXPECT_EQ(readU32BE(&r, 0), 0xDEADBEEFu);
  EXPECT_EQ(readU32LE(&r, 4), 0xCAFEF00Du);
  EXPECT_EQ(readU16BE(&r, 8), 0xABCD);
  EXPECT_EQ(readU16LE(&r, 10), 0x1357);
  EXPECT_EQ(readU8(&r, 11), 0x13);
  EXPECT_FALSE(r.overrun);
}

TEST(ByteOrder, ReadsPastTheEndYieldZeroAndFlagOverrun) {
  Bytes buf = {1, 2, 3};
  ByteReader r = makeReader(buf.data(), buf.size());
  EXPECT_EQ(readU16LE(&r, 1), 0x0302);
  EXPECT_FALSE(r.overrun);
  EXPECT_EQ(readU16LE(&r, 2), 0);
  EXPECT_TRUE(r.overrun);
  r.overrun = false;
  EXPECT_EQ(readU32BE(&r, 0), 0u);
  EXPECT_TRUE(r.overrun);
  r.overrun = false;
  EXPECT_EQ(readU8(&r, SIZE_MAX), 0);  // no wrap-around back into the buffer
  EXPECT_TRUE(r.overrun);
  EXPECT_TRUE(hasBytes(&r, 3, 0));
  EXPECT_FALSE(hasBytes(&r, 4, 0));
  EXPECT_FALSE(hasBytes(&r, 1, SIZE_MAX));
}
