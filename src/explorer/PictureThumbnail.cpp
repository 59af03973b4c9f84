#include "explorer/PictureThumbnail.h"

#include "explorer/JpegThumbnail.h"
#include "wallpaper/BmpFile.h"
#include "wallpaper/JpegDecoder.h"
#include "wallpaper/PictureLoader.h"
#include "widgets/PictureErrors.h"
#include "widgets/TGIFImage.h"

namespace {

QImage Decode(const std::string& path, int size) {
  const std::string ext = UpperExt(path);
  if (ext == ".JPG" || ext == ".JPEG") {
    try {
      return DecodeJpegThumbnail(path, size);
    } catch (const TDecodeError&) {
      // CMYK pictures need the full decoder's colour conversion; corrupt ones fail again there.
      return DecodeJpeg(path);
    }
  }
  if (ext == ".GIF") {
    TGIFImage gif;
    return gif.LoadFromFile(path) ? gif.Bitmap() : QImage();
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
