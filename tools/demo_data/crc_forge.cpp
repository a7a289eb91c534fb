// Choosing four bytes of a file so that its CRC-32 takes a given value.
#include "demo_files.h"

bool forgeCrc(std::vector<uint8_t>* bytes, size_t pos, uint32_t target) {
  if (pos > bytes->size() || bytes->size() - pos < 4) return false;
  uint8_t* window = bytes->data() + pos;
  for (int i = 0; i < 4; i++) window[i] = 0;
  uint32_t base = crc32(bytes->data(), bytes->size());

  // basis[b]: a reachable CRC change whose highest set bit is b, made by
  // flipping the window bits in mask[b].
  uint32_t basis[32] = {}, mask[32] = {};
  for (int bit = 0; bit < 32; bit++) {
    window[bit / 8] ^= static_cast<uint8_t>(1u << (bit % 8));
    uint32_t change = crc32(bytes->data(), bytes->size()) ^ base;
    window[bit / 8] ^= static_cast<uint8_t>(1u << (bit % 8));
    uint32_t flips = 1u << bit;
    for (int b = 31; b >= 0 && change; b--) {
      if (!(change >> b & 1)) continue;
      if (!basis[b]) {
        basis[b] = change;
        mask[b] = flips;
        break;
      }
      change ^= basis[b];
      flips ^= mask[b];
    }
  }
  uint32_t wanted = base ^ target, flips = 0;
  for (int b = 31; b >= 0; b--) {
    if (!(wanted >> b & 1)) continue;
    if (!basis[b]) return false;
    wanted ^= basis[b];
    flips ^= mask[b];
  }
  for (int bit = 0; bit < 32; bit++)
    if (flips >> bit & 1) window[bit / 8] ^= static_cast<uint8_t>(1u << (bit % 8));
  return crc32(bytes->data(), bytes->size()) == target;
}
