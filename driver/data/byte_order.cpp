// Byte-order stores and bounded reads.
#include "data/byte_order.h"

void putU32BE(uint8_t* buf, size_t pos, uint32_t value) {
  buf[pos] = uint8_t(value >> 24);
  buf[pos + 1] = uint8_t(value >> 16);
  buf[pos + 2] = uint8_t(value >> 8);
  buf[pos + 3] = uint8_t(value);
}

void putU32LE(uint8_t* buf, size_t pos, uint32_t value) {
  buf[pos] = uint8_t(value);
  buf[pos + 1] = uint8_t(value >> 8);
  buf[pos + 2] = uint8_t(value >> 16);
  buf[pos + 3] = uint8_t(value >> 24);
}

void putU16BE(uint8_t* buf, size_t pos, uint32_t value) {
  buf[pos] = uint8_t(value >> 8);
  buf[pos + 1] = uint8_t(value);
}

void putU16LE(uint8_t* buf, size_t pos, uint32_t value) {
  buf[pos] = uint8_t(value);
  buf[pos + 1] = uint8_t(value >> 8);
}

ByteReader makeReader(const uint8_t* data, size_t size) { return ByteReader{data, size, false}; }

bool hasBytes(const ByteReader* r, size_t pos, size_t count) {
  return pos <= r->size && count <= r->size - pos;
}

// The bytes at pos, or none (and the overrun flag) when they do not all fit.
static const uint8_t* bytesAt(ByteReader* r, size_t pos, size_t count) {
  if (!hasBytes(r, pos, count)) {
    r->overrun = true;
    return nullptr;
  }
  return r->data + pos;
}

uint8_t readU8(ByteReader* r, size_t pos) {
  const uint8_t* p = bytesAt(r, pos, 1);
  return p ? p[0] : 0;
}

uint16_t readU16LE(ByteReader* r, size_t pos) {
  const uint8_t* p = bytesAt(r, pos, 2);
  return p ? uint16_t(p[0] | p[1] << 8) : 0;
}

uint16_t readU16BE(ByteReader* r, size_t pos) {
  const uint8_t* p = bytesAt(r, pos, 2);
  return p ? uint16_t(p[0] << 8 | p[1]) : 0;
}

uint32_t readU32LE(ByteReader* r, size_t pos) {
  const uint8_t* p = bytesAt(r, pos, 4);
  return p ? uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24 : 0;
}

uint32_t readU32BE(ByteReader* r, size_t pos) {
  const uint8_t* p = bytesAt(r, pos, 4);
  return p ? uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]) : 0;
}
