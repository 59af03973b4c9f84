#include "picture/PictureFormat.h"

#include <string>

#include "picture/PictureLoader.h"

PictureFormat PictureFormatOf(std::string_view path) {
  const std::string ext = UpperExt(path);
  if (ext == ".JPG" || ext == ".JPEG") return PictureFormat::Jpeg;
  if (ext == ".GIF") return PictureFormat::Gif;
  if (ext == ".PNG") return PictureFormat::Png;
  if (ext == ".WEBP") return PictureFormat::Webp;
  return PictureFormat::Bitmap;
}
