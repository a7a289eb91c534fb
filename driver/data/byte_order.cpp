// Placeholder bodies: the owner of this file replaces them with the real operations.
#include "data/byte_order.h"

void putU32BE(uint8_t*, size_t, uint32_t) { }
void putU32LE(uint8_t*, size_t, uint32_t) { }
void putU16BE(uint8_t*, size_t, uint32_t) { }
void putU16LE(uint8_t*, size_t, uint32_t) { }
ByteReader makeReader(const uint8_t*, size_t) { return {}; }
uint8_t readU8(ByteReader*, size_t) { return {}; }
uint16_t readU16LE(ByteReader*, size_t) { return {}; }
uint16_t readU16BE(ByteReader*, size_t) { return {}; }
uint32_t readU32LE(ByteReader*, size_t) { return {}; }
uint32_t readU32BE(ByteReader*, size_t) { return {}; }
bool hasBytes(const ByteReader*, size_t, size_t) { return {}; }
