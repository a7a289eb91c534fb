#include "png_file.h"

#include <stb/stb_image_write.h>

#include <cstdint>
#include <vector>

#include "file_io.h"

static void pngAppend(void* context, void* data, int size) {
  auto* bytes = static_cast<std::vector<uint8_t>*>(context);
  const auto* from = static_cast<const uint8_t*>(data);
  bytes->insert(bytes->end(), from, from + size);
}

int writePngFile(const std::string& path, const Picture& picture, std::string* reason) {
  std::vector<uint8_t> bytes;
  if (!stbi_write_png_to_func(pngAppend, &bytes, picture.width, picture.height, 3, picture.rgb.data(),
                              picture.width * 3)) {
    *reason = "the picture cannot be encoded as PNG";
    return 1;
  }
  return writeOutputFile(path, bytes, reason);
}
