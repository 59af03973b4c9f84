#include "explorer/JpegThumbnail.h"

#include <jpeglib.h>
#include <unistd.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <memory>

#include "wallpaper/JpegErrorManager.h"
#include "widgets/PictureErrors.h"
#include "widgets/PictureFile.h"

namespace {

enum class JpegStatus { Ok, Corrupt, Cmyk, TooLarge, NoMemory };

// Kept outside the frame that calls setjmp so a longjmp never skips a destructor.
struct JpegOutcome {
  JpegStatus status = JpegStatus::Ok;
  std::int64_t width = 0;
  std::int64_t height = 0;
  char message[JMSG_LENGTH_MAX] = {};
};

JpegStatus Stop(jpeg_decompress_struct& info, JpegStatus status) {
  jpeg_destroy_decompress(&info);
  return status;
}

// Every local here is trivially destructible; the picture lives in the caller's frame.
void Decode(std::FILE* file, int minSide, QImage& picture, JpegOutcome& outcome) {
  jpeg_decompress_struct info;
  JpegErrorManager manager;
  UseJpegErrorManager(info, manager, outcome.message);
  if (setjmp(manager.jump)) {
    outcome.status = Stop(info, JpegStatus::Corrupt);
    return;
  }
  jpeg_create_decompress(&info);
  jpeg_stdio_src(&info, file);
  jpeg_read_header(&info, TRUE);
  if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK) {
    outcome.status = Stop(info, JpegStatus::Cmyk);
    return;
  }
  info.out_color_space = NativeRgb32;
  info.scale_num = 1;
  info.scale_denom = static_cast<unsigned>(
      JpegThumbnailDenominator(static_cast<int>(info.image_width), static_cast<int>(info.image_height), minSide));
  jpeg_calc_output_dimensions(&info);
  outcome.width = info.output_width;
  outcome.height = info.output_height;
  if (outcome.width * outcome.height > MaxPicturePixels) {
    outcome.status = Stop(info, JpegStatus::TooLarge);
    return;
  }
  jpeg_start_decompress(&info);
  picture = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height), QImage::Format_RGB32);
  if (picture.isNull()) {
    outcome.status = Stop(info, JpegStatus::NoMemory);
    return;
  }
  JSAMPROW rows[16];
  while (info.output_scanline < info.output_height) {
    const JDIMENSION first = info.output_scanline;
    const JDIMENSION count = std::min<JDIMENSION>(16, info.output_height - first);
    for (JDIMENSION i = 0; i < count; ++i) rows[i] = picture.scanLine(static_cast<int>(first + i));
    jpeg_read_scanlines(&info, rows, count);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
}

}  // namespace

int JpegThumbnailDenominator(int width, int height, int minSide) {
  const int longer = std::max(width, height);
  int denominator = 1;
  while (denominator < 8 && longer / (denominator * 2) >= minSide) denominator *= 2;
  return denominator;
}

QImage DecodeJpegThumbnail(const std::string& path, int minSide) {
  const TPictureStream file = OpenPictureStream(path);
  QImage picture;
  JpegOutcome outcome;
  Decode(file.get(), minSide, picture, outcome);
  switch (outcome.status) {
    case JpegStatus::Ok:
      return picture;
    case JpegStatus::Corrupt:
      throw TDecodeError("JPEG error in \"" + path + "\": " + outcome.message);
    case JpegStatus::Cmyk:
      throw TDecodeError("JPEG thumbnail of a CMYK picture in \"" + path + "\"");
    case JpegStatus::TooLarge:
      throw TPictureTooLarge(outcome.width, outcome.height);
    case JpegStatus::NoMemory:
      throw TPictureMemoryError(outcome.width, outcome.height);
  }
  return {};
}
