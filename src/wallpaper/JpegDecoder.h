// JPEG decoding through libjpeg's C API with the library's default decompression
// parameters: full size, full colour, 32-bit RGB out (greyscale becomes grey RGB, CMYK is
// converted to RGB). libjpeg's errors stay inside the decoder and become exceptions here;
// the library's own exit() is never reached.
#pragma once

#include <QImage>
#include <string>

// Decodes the file at path into a Format_RGB32 picture. A file cut short is not an error:
// libjpeg fills in the missing part (grey, or coarser detail in a progressive file) and
// the picture keeps the size its header states.
// Throws TFileOpenError when the file cannot be opened, TDecodeError when its contents are
// not a JPEG picture libjpeg can decode, TPictureTooLarge when the header states a size
// beyond MaxPicturePixels (checked before the pixels are allocated) and
// TPictureMemoryError when the memory for the picture cannot be had.
QImage DecodeJpeg(const std::string& path);
