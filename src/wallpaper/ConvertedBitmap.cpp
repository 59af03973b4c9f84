#include "wallpaper/ConvertedBitmap.h"

#include "picture/BmpFile.h"
#include "picture/PictureErrors.h"

std::string ConvertFileName(const std::string& folder) {
  if (folder.empty() || folder.back() == '/') return folder + ConvertBaseName;
  return folder + "/" + ConvertBaseName;
}

QImage StretchPicture(const QImage& picture, std::optional<QSize> stretchTo) {
  if (!stretchTo || picture.size() == *stretchTo) return picture;
  if (stretchTo->isEmpty()) return {};
  CheckPictureSize(stretchTo->width(), stretchTo->height());
  if (picture.isNull()) {
    QImage black = NewPicture(stretchTo->width(), stretchTo->height());
    black.fill(Qt::black);
    return black;
  }
  QImage stretched = picture.scaled(*stretchTo, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  if (stretched.isNull()) throw TPictureMemoryError(stretchTo->width(), stretchTo->height());
  return stretched;
}

void WriteConverted(const QImage& picture, std::optional<QSize> stretchTo, const std::string& path) {
  WriteBmp(StretchPicture(picture, stretchTo), path);
}
