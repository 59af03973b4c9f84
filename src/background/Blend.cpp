#include "background/Blend.h"

#include <vector>

// Byte by byte with 16-bit sums (255 * 256 is the largest), which compilers turn into vector
// multiplies: a 1920 x 1080 frame takes a few milliseconds.
void BlendPixels(const std::uint32_t* from, const std::uint32_t* to, std::uint32_t* out, std::size_t count,
                 unsigned weight) {
  const auto* a = reinterpret_cast<const std::uint8_t*>(from);
  const auto* b = reinterpret_cast<const std::uint8_t*>(to);
  auto* o = reinterpret_cast<std::uint8_t*>(out);
  const auto wb = static_cast<std::uint16_t>(weight > kFullWeight ? kFullWeight : weight);
  const auto wa = static_cast<std::uint16_t>(kFullWeight - wb);
  const std::size_t bytes = count * 4;
  for (std::size_t i = 0; i < bytes; ++i)
    o[i] = static_cast<std::uint8_t>(static_cast<std::uint16_t>(a[i] * wa + b[i] * wb) >> 8);
}

void StretchPixels(const std::uint32_t* source, int sourceWidth, int sourceHeight, std::size_t sourceStride,
                   std::uint32_t* out, int width, int height, std::size_t stride) {
  std::vector<int> column(static_cast<std::size_t>(width));
  for (int x = 0; x < width; ++x) column[x] = static_cast<int>(static_cast<long long>(x) * sourceWidth / width);
  for (int y = 0; y < height; ++y) {
    const std::uint32_t* from = source + static_cast<long long>(y) * sourceHeight / height * sourceStride;
    std::uint32_t* row = out + static_cast<std::size_t>(y) * stride;
    for (int x = 0; x < width; ++x) row[x] = from[column[x]];
  }
}
