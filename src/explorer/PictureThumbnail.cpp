#include "explorer/PictureThumbnail.h"

#include "picture/BmpFile.h"
#include "picture/JpegDecoder.h"
#include "picture/PictureFormat.h"
#include "picture/QtImageDecoder.h"
#include "picture/TGIFImage.h"

namespace {

QImage Decode(const std::string& path, int size) {
  switch (const PictureFormat format = PictureFormatOf(path)) {
    case PictureFormat::Jpeg:
      return DecodeJpegThumbnail(path, size);
    case PictureFormat::Gif: {
      TGIFImage gif;
      return gif.LoadFromFile(path) ? gif.Bitmap() : QImage();
    }
    case PictureFormat::Png:
    case PictureFormat::Webp:
      return DecodeQtImageThumbnail(path, format, size);
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
