#include "explorer/PictureThumbnail.h"

#include "explorer/JpegThumbnail.h"
#include "wallpaper/BmpFile.h"
#include "wallpaper/JpegDecoder.h"
#include "wallpaper/PictureFormat.h"
#include "wallpaper/QtImageDecoder.h"
#include "widgets/PictureErrors.h"
#include "widgets/TGIFImage.h"

namespace {

QImage Decode(const std::string& path, int size) {
  switch (const PictureFormat format = PictureFormatOf(path)) {
    case PictureFormat::Jpeg:
      try {
        return DecodeJpegThumbnail(path, size);
      } catch (const TDecodeError&) {
        // CMYK pictures need the full decoder's colour conversion; corrupt ones fail again there.
        return DecodeJpeg(path);
      }
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
