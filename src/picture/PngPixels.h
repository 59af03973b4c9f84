// How the rows of a PNG file become the program's Format_RGB32 rows, the pixels Qt's PNG
// reader gives, made opaque over black as the desktop shows them: the transformations libpng
// is asked for by colour type and bit depth, and what is left to do on each row.
//   Colour or grey of 8 or 16 bits without transparency: its samples as they are, 16 bits
//     rounded to 8 (png_set_scale_16, Qt's rounding).
//   8-bit with alpha, or with a transparent colour: straight alpha, then over black.
//   16-bit with alpha, or with a transparent colour: premultiplied at 16 bits, then rounded,
//     as Qt converts its 64-bit pictures.
//   A palette, and grey of fewer than 8 bits or of 8 with a transparent level: an index per
//     pixel into a table of colours built as Qt builds its indexed picture's (an index beyond
//     the palette shows the first colour).
// Unlike Qt's reader, a 16-bit RGB picture with a transparent colour decodes with that colour
// transparent (Qt's reader misreads its rows).
#pragma once

// png.h wants stdio first.
// clang-format off
#include <cstdio>
#include <png.h>
// clang-format on

#include <QRgb>
#include <array>

enum class PngRowKind { Rgb8, Grey8, Rgba8, Rgba64, Indexed };

struct TPngPixels {
  PngRowKind kind = PngRowKind::Rgb8;
  // For Indexed: the colour over black of every index byte.
  std::array<QRgb, 256> colours{};
};

// Asks libpng for the transformations of the picture whose header info holds (interlace
// handling aside) and says what each row then needs. Runs inside libpng's error frame.
TPngPixels SetUpPngPixels(png_structp png, png_infop info);

// Converts one row as libpng gives it after SetUpPngPixels into width Format_RGB32 pixels.
void ConvertPngRow(const TPngPixels& pixels, const png_byte* row, int width, QRgb* out);
