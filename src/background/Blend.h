// The pixel work of tesserine-background on XRGB8888 rows: a cross-fade frame and a picture
// stretched to a buffer of another size.
#pragma once

#include <cstddef>
#include <cstdint>

// The weight of the new picture in a frame: 0 shows only the old one, 256 only the new one.
inline constexpr unsigned kFullWeight = 256;

// out = (from * (256 - weight) + to * weight) / 256 in each byte, rounded down: weight 0 gives
// from and 256 gives to exactly. out may be from or to.
void BlendPixels(const std::uint32_t* from, const std::uint32_t* to, std::uint32_t* out, std::size_t count,
                 unsigned weight);

// Stretches by repeating or dropping pixels, as the X root's stretch does: destination pixel
// (x, y) shows source pixel (x * sourceWidth / width, y * sourceHeight / height). Strides are
// in pixels.
void StretchPixels(const std::uint32_t* source, int sourceWidth, int sourceHeight, std::size_t sourceStride,
                   std::uint32_t* out, int width, int height, std::size_t stride);
