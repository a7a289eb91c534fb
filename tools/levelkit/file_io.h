#pragma once
// Files levelkit reads and writes. Writes go through the shared atomic
// replacement, so an interrupted run never leaves a half-written picture,
// page or level under the real name.

#include <cstdint>
#include <string>
#include <vector>

// Refuses files over MaxLevelFileBytes unread.
int readInputFile(const std::string& path, std::vector<uint8_t>* bytes, std::string* reason);          // 0 on success
int writeOutputFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string* reason);  // 0 on success
