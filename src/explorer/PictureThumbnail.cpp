#include "explorer/PictureThumbnail.h"

#include "picture/BmpFile.h"
#include "picture/JpegDecoder.h"
#include "picture/PictureFormat.h"
#include "picture/PngDecoder.h"
#include "picture/TGIFImage.h"
#include "picture/WebpDecoder.h"

namespace {

// A picture reduced to size on its longer side, its proportions kept.
TDecodeTarget ThumbnailTarget(int size) { return {QSize(size, size), true, DecodeUse::Stretched}; }

QImage Decode(const std::string& path, int size) {
  switch (PictureFormatOf(path)) {
    case PictureFormat::Jpeg:
      return DecodeJpegThumbnail(path, size);
    case PictureFormat::Gif: {
      TGIFImage gif;
      return gif.LoadFromFile(path) ? gif.Bitmap() : QImage();
    }
    case PictureFormat::Png:
      return DecodePngFor(path, ThumbnailTarget(size)).picture;
    case PictureFormat::Webp:
      return DecodeWebpFor(path, ThumbnailTarget(size)).picture;
    case PictureFormat::Bitmap:
      break;
  }
  return ReadBmp(path);
}

}  // namespace

QImage MakePictureThumbnail(const QString& path, int size) {
  try {
    return Decode(path.toStdString(), size);
  } catch (const std::exception&) {
    return {};
  }
}
