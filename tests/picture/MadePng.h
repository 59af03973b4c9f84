// PNG files of every colour type, bit depth and kind of transparency, written with libpng for
// the PNG decoder's tests: each sample a fixed function of its place, so every level shows up.
#pragma once

// png.h wants stdio first.
// clang-format off
#include <cstdio>
#include <png.h>
// clang-format on

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct TPngSpec {
  int width = 37;
  int height = 23;
  int colourType = PNG_COLOR_TYPE_RGB;
  int bitDepth = 8;
  bool interlaced = false;
  int paletteSize = 0;             // a palette of this many colours; indices run two beyond it
  int alphaCount = 0;              // the first palette entries' alpha (tRNS)
  bool transparentColour = false;  // grey or RGB: the level or colour of sample 0 transparent
};

// The sample value of channel c at (x, y), within bitDepth bits.
inline unsigned PngSample(const TPngSpec& spec, int x, int y, int c) {
  const unsigned max = (1u << spec.bitDepth) - 1;
  if (spec.colourType == PNG_COLOR_TYPE_PALETTE)
    return static_cast<unsigned>((x + 3 * y) % (spec.paletteSize + 2)) & max;
  // A spread of levels, with every fifth pixel at level 0 (the transparent one).
  if ((x + y) % 5 == 0) return c == 3 ? max : 0;
  // Unsigned arithmetic: the products wrap, where int's would overflow.
  const std::uint32_t h = static_cast<std::uint32_t>(x) * 73856093u ^ static_cast<std::uint32_t>(y) * 19349663u ^
                          static_cast<std::uint32_t>(c) * 83492791u;
  return (h * 2654435761u >> 7) & max;
}

inline int PngChannels(int colourType) {
  switch (colourType) {
    case PNG_COLOR_TYPE_GRAY:
    case PNG_COLOR_TYPE_PALETTE:
      return 1;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
      return 2;
    case PNG_COLOR_TYPE_RGB:
      return 3;
    default:
      return 4;
  }
}

// The rows of spec's picture as libpng writes them: samples packed most significant first,
// 16 bits big-endian.
inline std::vector<std::vector<png_byte>> PngRows(const TPngSpec& spec) {
  const int channels = PngChannels(spec.colourType);
  const int bits = channels * spec.bitDepth;
  std::vector<std::vector<png_byte>> rows(static_cast<std::size_t>(spec.height));
  for (int y = 0; y < spec.height; ++y) {
    std::vector<png_byte>& row = rows[static_cast<std::size_t>(y)];
    row.assign(static_cast<std::size_t>((spec.width * bits + 7) / 8), 0);
    for (int x = 0; x < spec.width; ++x)
      for (int c = 0; c < channels; ++c) {
        const unsigned value = PngSample(spec, x, y, c);
        const auto at = static_cast<std::size_t>((x * channels + c) * spec.bitDepth);
        if (spec.bitDepth == 16) {
          row[at / 8] = static_cast<png_byte>(value >> 8);
          row[at / 8 + 1] = static_cast<png_byte>(value & 0xff);
        } else {
          row[at / 8] |= static_cast<png_byte>(value << (8 - spec.bitDepth - at % 8));
        }
      }
  }
  return rows;
}

// Writes the picture spec describes to path; false when libpng refused.
inline bool WriteTestPng(const std::string& path, const TPngSpec& spec) {
  std::vector<std::vector<png_byte>> rows = PngRows(spec);
  std::vector<png_bytep> pointers;
  for (std::vector<png_byte>& row : rows) pointers.push_back(row.data());
  std::vector<png_color> palette;
  for (int i = 0; i < spec.paletteSize; ++i)
    palette.push_back(
        {static_cast<png_byte>(i * 37), static_cast<png_byte>(255 - i * 11), static_cast<png_byte>(i * 101)});
  std::vector<png_byte> alpha;
  for (int i = 0; i < spec.alphaCount; ++i)
    alpha.push_back(static_cast<png_byte>(i * 255 / std::max(1, spec.alphaCount - 1)));
  png_color_16 colour{};
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  // Without a word on the indices beyond the palette.
  const png_error_ptr quiet = [](png_structp, png_const_charp) {};
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, quiet);
  png_infop info = png_create_info_struct(png);
  // Every local that changes after setjmp is gone before a longjmp could return here.
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return false;
  }
  png_init_io(png, file);
  // Indices beyond the palette are what the tests are after.
  png_set_benign_errors(png, 1);
  png_set_IHDR(png, info, static_cast<png_uint_32>(spec.width), static_cast<png_uint_32>(spec.height), spec.bitDepth,
               spec.colourType, spec.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (spec.colourType == PNG_COLOR_TYPE_PALETTE) {
    png_set_PLTE(png, info, palette.data(), spec.paletteSize);
    if (spec.alphaCount > 0) png_set_tRNS(png, info, alpha.data(), spec.alphaCount, nullptr);
  } else if (spec.transparentColour) {
    png_set_tRNS(png, info, nullptr, 0, &colour);
  }
  png_write_info(png, info);
  png_write_image(png, pointers.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fclose(file) == 0;
}
