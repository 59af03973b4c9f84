// JPEG decoding through libjpeg's C API, at full size for the wallpaper and the viewer, at
// reduced size for thumbnails (1/2, 1/4 or 1/8) or for a wallpaper the program stretches
// (N/8, as small as still covers the screen, then averaged to the screen's size): libjpeg
// scales the picture down in its inverse DCT, so a large photograph is never decoded at
// full size. All come out as 32-bit RGB (greyscale becomes grey RGB, CMYK is converted to
// RGB). libjpeg's errors stay inside the decoder and become exceptions here; the library's
// own exit() is never reached.
#pragma once

#include <QImage>
#include <QSize>
#include <string>
#include <string_view>

#include "picture/DecodeScale.h"
#include "picture/RowSink.h"

// Decodes the file at path into a Format_RGB32 picture. A file cut short is not an error:
// libjpeg fills in the missing part (grey, or coarser detail in a progressive file) and
// the picture keeps the size its header states.
// Throws TFileOpenError when the file cannot be opened, TDecodeError when its contents are
// not a JPEG picture libjpeg can decode, TPictureTooLarge when the header states a size
// beyond MaxPicturePixels (checked before the pixels are allocated) and
// TPictureMemoryError when the memory for the picture cannot be had.
QImage DecodeJpeg(const std::string& path);

// DecodeJpeg on a picture's bytes in memory; its error messages call the picture name.
QImage DecodeJpegBytes(std::string_view bytes, const std::string& name);

// The picture in the JPEG file at path, scaled by the smallest of libjpeg's factors that
// keeps its longer side at least minSide pixels (or full size when it is smaller), as
// Format_RGB32. Throws as DecodeJpeg does; the size limit applies to the scaled picture.
QImage DecodeJpegThumbnail(const std::string& path, int minSide);

// The picture in the JPEG file at path as large as target shows it (StretchedSize): decoded
// at DecodeEighths of its size, then averaged down by area to that size. The whole picture,
// exactly as DecodeJpeg gives it, when it is no larger than that size. Throws as DecodeJpeg
// does; the size limit applies to the scaled picture.
// For a centred target, only CenterPart of the picture is decoded, its pixels exactly those
// of the same rectangle of DecodeJpeg's picture; the size limit applies to the whole
// picture, so the same files are refused as by DecodeJpeg.
TScaledPicture DecodeJpegFor(const std::string& path, const TDecodeTarget& target);

// The whole picture in the JPEG file at path, the same pixels as DecodeJpeg's, handed to sink
// one row at a time without ever being held whole. Throws as DecodeJpeg does; on
// TDecodeError the rows before the error have been handed over.
void DecodeJpegRows(const std::string& path, const TRowSink& sink);

// The libjpeg scale denominator (1, 2, 4 or 8) for a width x height picture.
int JpegThumbnailDenominator(int width, int height, int minSide);
