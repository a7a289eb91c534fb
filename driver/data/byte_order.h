#pragma once
// Byte-order stores for the writers and a bounded reader for the decoders.
// Container and chunk lengths are big-endian, header and record fields
// little-endian, level map cells big-endian.

#include <cstddef>
#include <cstdint>

// Store the low bits of value at buf[pos] onward.
void putU32BE(uint8_t* buf, size_t pos, uint32_t value);
void putU32LE(uint8_t* buf, size_t pos, uint32_t value);
void putU16BE(uint8_t* buf, size_t pos, uint32_t value);
void putU16LE(uint8_t* buf, size_t pos, uint32_t value);

// Bounded reads: a read that does not fit inside [data, data + size) yields 0
// and sets the reader's overrun flag; nothing outside the buffer is touched.
struct ByteReader {
  const uint8_t* data;
  size_t size;
  bool overrun;
};

ByteReader makeReader(const uint8_t* data, size_t size);
uint8_t readU8(ByteReader* r, size_t pos);
uint16_t readU16LE(ByteReader* r, size_t pos);
uint16_t readU16BE(ByteReader* r, size_t pos);
uint32_t readU32LE(ByteReader* r, size_t pos);
uint32_t readU32BE(ByteReader* r, size_t pos);
bool hasBytes(const ByteReader* r, size_t pos, size_t count);  // pos + count <= size, without overflow
