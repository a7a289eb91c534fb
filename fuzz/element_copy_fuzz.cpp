// Feeds arbitrary text to the clipboard parser; an accepted copy must keep
// its bounds and come back the same through its own text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "data/element_copy.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ElementCopy copy, again;
  if (parseElementCopy(std::string(reinterpret_cast<const char*>(data), size), &copy) != 0) return 0;
  if (copy.elements.empty() || copy.elements.size() > size_t(LevelPoolSize)) std::abort();
  if (parseElementCopy(elementCopyText(copy), &again) != 0 || again.style != copy.style ||
      again.elements != copy.elements)
    std::abort();
  return 0;
}
