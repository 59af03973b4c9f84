// PNG and WebP decoding through Qt's image readers: PNG is built into Qt, WebP comes from
// the qt6-image-formats-plugins plugin at run time. The reader is pinned to the format the
// caller names, the size the header states is checked against MaxPicturePixels before any
// pixel is decoded, and transparent pixels are composited over black, as a desktop shows
// them.
#pragma once

#include <QImage>
#include <string>

#include "picture/PictureFormat.h"

// Decodes the PNG or WebP file at path (format Png or Webp) into a Format_RGB32 picture;
// an animated WebP gives its first frame. Throws TFileOpenError when the file cannot be
// opened, TDecodeError when its contents are not a picture of that format (cut short,
// corrupt, another format, or WebP without its plugin), TPictureTooLarge when the header
// states a size beyond MaxPicturePixels and TPictureMemoryError when memory runs out.
QImage DecodeQtImage(const std::string& path, PictureFormat format);

// As DecodeQtImage, but scaled down in proportion so that its longer side is minSide
// pixels (a smaller picture keeps its size); for thumbnails.
QImage DecodeQtImageThumbnail(const std::string& path, PictureFormat format, int minSide);
