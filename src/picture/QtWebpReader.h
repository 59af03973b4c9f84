// Animated WebP through Qt's reader, which composes an animation's first frame on its canvas
// (the reader comes from the qt6-image-formats-plugins plugin at run time). The canvas size
// is checked against MaxPicturePixels before the reader sees the file, and transparent
// pixels are composited over black, as a desktop shows them. Still pictures are decoded by
// libwebp itself (WebpDecoder).
#pragma once

#include <QByteArray>
#include <QImage>
#include <string>

// The first frame of the animated WebP whose file holds bytes, as Format_RGB32; name is what
// an error message calls the picture. Throws TDecodeError when the bytes are not a picture
// Qt's reader decodes (or its plugin is missing), TPictureTooLarge when the canvas is beyond
// MaxPicturePixels and TPictureMemoryError when memory runs out.
QImage DecodeQtWebp(const QByteArray& bytes, const std::string& name);
