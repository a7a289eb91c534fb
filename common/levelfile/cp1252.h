#pragma once
// The level name's text encoding. Level files store the name in the Western
// single-byte code page they were made with (Windows-1252), whatever the
// desktop's locale.

#include <cstddef>
#include <cstdint>
#include <string>

// The bytes up to the first zero, or maxBytes when none is zero, as UTF-8. The
// five bytes the code page leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D)
// become the C1 controls of the same value, so no byte is lost.
std::string cp1252ToUtf8(const uint8_t* bytes, size_t maxBytes);

// The byte of a Unicode code point; false, with *byte untouched, when the
// code page has none. The inverse of cp1252ToUtf8 character by character.
bool cp1252ByteOf(char32_t codePoint, uint8_t* byte);
