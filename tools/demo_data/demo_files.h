#pragma once
// Turning the demo styles and levels into stored files.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "compress/gscm_compress.h"
#include "data/level.h"
#include "data/style.h"
#include "demo_style.h"

// The style's chunks in a FORM container, without padding.
std::vector<uint8_t> styleContainer(const DemoStyle& style);

// The stored file: the container (GSCM-compressed when the style says so),
// padded with bytes the readers skip to exactly `size` bytes, four of which
// are chosen so that the file's CRC-32 is `crc`. Empty when the content does
// not fit.
std::vector<uint8_t> storeStyle(const DemoStyle& style, uint32_t size, uint32_t crc);

// Sets bytes[pos..pos+3] so that crc32 of the whole buffer is target.
// CRC-32 is affine over GF(2): the 32 bits at pos change the CRC by a linear
// map, which is inverted here. False when pos + 4 is past the end.
bool forgeCrc(std::vector<uint8_t>* bytes, size_t pos, uint32_t target);

// A GSCM stream of data whose first plainLength bytes are stored in blocks
// without rules and the rest compressed with options.
std::vector<uint8_t> compressMixed(const std::vector<uint8_t>& data, size_t plainLength,
                                   const GscmCompressOptions& options);

// Level n of the demo set as a stored file (plain or GSCM-compressed), built
// over the decoded and bound styles that the levels name.
std::vector<uint8_t> storeDemoLevel(int n, const std::vector<DemoStyle>& sources,
                                    const std::vector<Style>& styles);
int demoLevelStyle(int n);        // the style level n names
bool demoLevelCompressed(int n);  // stored as a GSCM stream
