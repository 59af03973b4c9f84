#include "picture/PngPixels.h"

#include <QRgba64>
#include <QtEndian>
#include <algorithm>
#include <cstring>

#include "picture/OverBlack.h"

namespace {

// Qt's table for grey of fewer than 8 bits, or of 8 with a transparent level: level i of
// count is i * 255 / (count - 1), the transparent level black.
void GreyTable(png_structp png, png_infop info, int bitDepth, TPngPixels& pixels) {
  const int count = bitDepth < 8 ? 1 << bitDepth : 256;
  for (int i = 0; i < count; ++i) {
    const int level = i * 255 / (count - 1);
    pixels.colours[static_cast<std::size_t>(i)] = qRgb(level, level, level);
  }
  png_bytep alpha = nullptr;
  int transparent = 0;
  png_color_16p colour = nullptr;
  if (png_get_tRNS(png, info, &alpha, &transparent, &colour) && colour && colour->gray < count)
    pixels.colours[colour->gray] = qRgb(0, 0, 0);
}

// Qt's table for a palette: its colours with the alpha tRNS gives the first of them; a 1-bit
// picture has two entries whatever the palette holds, one missing from it staying as Qt's
// table of a two-colour picture starts, black then white. An index beyond the table is read
// as 0.
void PaletteTable(png_structp png, png_infop info, int bitDepth, TPngPixels& pixels) {
  png_colorp palette = nullptr;
  int count = 0;
  png_get_PLTE(png, info, &palette, &count);
  if (count < 1 || count > 256) png_error(png, "invalid palette");
  png_bytep alpha = nullptr;
  int transparent = 0;
  png_color_16p colour = nullptr;
  if (!png_get_tRNS(png, info, &alpha, &transparent, &colour) || !alpha) transparent = 0;
  const int entries = bitDepth == 1 ? 2 : count;
  for (int i = 0; i < entries; ++i) {
    QRgb argb = i == 0 ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
    if (i < count) {
      const png_color& c = palette[i];
      argb = qRgba(c.red, c.green, c.blue, i < transparent ? alpha[i] : 255);
    }
    pixels.colours[static_cast<std::size_t>(i)] = OverBlack(argb);
  }
  std::fill(pixels.colours.begin() + entries, pixels.colours.end(), pixels.colours[0]);
}

}  // namespace

TPngPixels SetUpPngPixels(png_structp png, png_infop info) {
  TPngPixels pixels;
  const int colourType = png_get_color_type(png, info);
  const int bitDepth = png_get_bit_depth(png, info);
  const bool transparentColour = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  if (colourType == PNG_COLOR_TYPE_PALETTE) {
    pixels.kind = PngRowKind::Indexed;
    png_set_packing(png);
    PaletteTable(png, info, bitDepth, pixels);
    return pixels;
  }
  const bool grey = (colourType & PNG_COLOR_MASK_COLOR) == 0;
  const bool alpha = (colourType & PNG_COLOR_MASK_ALPHA) != 0;
  if (grey && !alpha && (bitDepth < 8 || (bitDepth == 8 && transparentColour))) {
    pixels.kind = PngRowKind::Indexed;
    png_set_packing(png);
    GreyTable(png, info, bitDepth, pixels);
    return pixels;
  }
  if (!alpha && !transparentColour) {
    pixels.kind = grey ? PngRowKind::Grey8 : PngRowKind::Rgb8;
    if (bitDepth == 16) png_set_scale_16(png);
    return pixels;
  }
  // A transparent colour becomes alpha.
  png_set_expand(png);
  if (grey) png_set_gray_to_rgb(png);
  if (bitDepth == 16) {
    pixels.kind = PngRowKind::Rgba64;
    if constexpr (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) png_set_swap(png);
    return pixels;
  }
  pixels.kind = PngRowKind::Rgba8;
  return pixels;
}

void ConvertPngRow(const TPngPixels& pixels, const png_byte* row, int width, QRgb* out) {
  const auto count = static_cast<std::size_t>(width);
  switch (pixels.kind) {
    case PngRowKind::Rgb8:
      for (std::size_t x = 0; x < count; ++x, row += 3) out[x] = qRgb(row[0], row[1], row[2]);
      return;
    case PngRowKind::Grey8:
      for (std::size_t x = 0; x < count; ++x) out[x] = qRgb(row[x], row[x], row[x]);
      return;
    case PngRowKind::Rgba8:
      for (std::size_t x = 0; x < count; ++x, row += 4) out[x] = OverBlack(qRgba(row[0], row[1], row[2], row[3]));
      return;
    case PngRowKind::Rgba64:
      for (std::size_t x = 0; x < count; ++x) {
        std::uint16_t c[4];
        std::memcpy(c, row + 8 * x, sizeof c);
        out[x] = qPremultiply(QRgba64::fromRgba64(c[0], c[1], c[2], c[3])).toArgb32() | 0xff000000u;
      }
      return;
    case PngRowKind::Indexed:
      for (std::size_t x = 0; x < count; ++x) out[x] = pixels.colours[row[x]];
      return;
  }
}
