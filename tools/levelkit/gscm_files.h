#pragma once
// `levelkit pack` and `unpack`: whole files through the project's GSCM
// compressor and driver's decompressor.

#include <string>

int packFile(const std::string& in, const std::string& out, std::string* reason);    // 0 on success
int unpackFile(const std::string& in, const std::string& out, std::string* reason);  // 0 on success
