#pragma once
// The text a level file holds for people: its name and its skills' names.

#include <cstddef>
#include <cstdint>
#include <string>

// The Windows-1252 bytes up to the first zero (at most maxBytes) as UTF-8.
std::string cp1252ToUtf8(const uint8_t* bytes, size_t maxBytes);

// The skill's name as the skills program lists it; none for a code it lacks.
const char* skillNameOfCode(int code);
