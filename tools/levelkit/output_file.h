#pragma once
// Files levelkit writes (pictures, pages, packed and unpacked data): written
// whole under a temporary name and renamed, so an interrupted run never
// leaves a half-written file under the real name.

#include <cstdint>
#include <string>
#include <vector>

int writeOutputFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string* reason);  // 0 on success
