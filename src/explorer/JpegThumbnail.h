// Small pictures of JPEG files for thumbnails, decoded at reduced size: libjpeg scales
// the picture down in its inverse DCT (1/2, 1/4 or 1/8), so a large photograph is never
// decoded at full size. libjpeg's errors stay inside the decoder, as in DecodeJpeg.
#pragma once

#include <QImage>
#include <string>

// The picture in the JPEG file at path, scaled by the smallest of libjpeg's factors that
// keeps its longer side at least minSide pixels (or full size when it is smaller), as
// Format_RGB32. Throws TFileOpenError when the file cannot be opened, TDecodeError when
// libjpeg cannot decode it or it is a CMYK picture (which the caller decodes in full),
// TPictureTooLarge when the scaled picture would exceed MaxPicturePixels and
// TPictureMemoryError when memory runs out.
QImage DecodeJpegThumbnail(const std::string& path, int minSide);

// The libjpeg scale denominator (1, 2, 4 or 8) for a width x height picture.
int JpegThumbnailDenominator(int width, int height, int minSide);
