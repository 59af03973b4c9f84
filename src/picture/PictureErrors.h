// Errors of the picture decoders and the size limit they all enforce.
//
// Every decoder checks a picture's dimensions, as its header states them, against
// MaxPicturePixels before it allocates anything for the pixels, and refuses a larger
// picture with TPictureTooLarge. The limit is 268,435,456 pixels (256 megapixels, a 1 GiB
// 32-bit bitmap). The fuzzing build lowers it, so that no input spends seconds filling a
// legal gigabyte and the refusal is reached often.
#pragma once

#include <QImage>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "platform/system/ImageMemory.h"

#ifndef TESSERINE_MAX_PICTURE_PIXELS
#define TESSERINE_MAX_PICTURE_PIXELS (std::int64_t{1} << 28)
#endif
inline constexpr std::int64_t MaxPicturePixels = TESSERINE_MAX_PICTURE_PIXELS;

// The file cannot be opened or read.
class TFileOpenError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The file opened but its contents could not be decoded.
class TDecodeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A picture file could not be written.
class TFileWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TPictureTooLarge : public std::runtime_error {
 public:
  TPictureTooLarge(std::int64_t width, std::int64_t height)
      : std::runtime_error("The picture is too large: " + std::to_string(width) + " x " + std::to_string(height) +
                           " pixels (the limit is " + std::to_string(MaxPicturePixels) + " pixels)") {}
};

// No memory for a picture whose size is within the limit.
class TPictureMemoryError : public std::runtime_error {
 public:
  TPictureMemoryError(std::int64_t width, std::int64_t height)
      : std::runtime_error("Not enough memory for a picture of " + std::to_string(width) + " x " +
                           std::to_string(height) + " pixels") {}
};

class TInvalidBitmap : public std::runtime_error {
 public:
  TInvalidBitmap() : std::runtime_error("Bitmap image is not valid") {}
};

// Throws TPictureTooLarge unless width x height is within the limit; both must be positive
// (callers reject zero or negative sizes as corrupt before asking).
inline void CheckPictureSize(std::int64_t width, std::int64_t height) {
  if (width > MaxPicturePixels || height > MaxPicturePixels || width * height > MaxPicturePixels)
    throw TPictureTooLarge(width, height);
}

// A new bitmap of a size already checked against the limit; TPictureMemoryError when the
// memory cannot be had.
inline QImage NewPicture(int width, int height, QImage::Format format = QImage::Format_RGB32) {
  QImage picture = AllocateImage(QSize(width, height), format);
  if (picture.isNull()) throw TPictureMemoryError(width, height);
  return picture;
}
