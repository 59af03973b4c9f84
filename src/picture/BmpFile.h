// Windows bitmap files. Reading checks the file and info headers itself (magic, header
// kind, dimensions, bit depth, compression, pixel offset and length) and then lets Qt's
// BMP reader decode the pixels; writing stores 24 bits per pixel, the bytes Qt's BMP writer
// gives (TBmpRowWriter), into a temporary file that replaces the target only once it is
// complete.
#pragma once

#include <QImage>
#include <string>

// Reads the bitmap at path as a Format_RGB32 picture. Throws TFileOpenError when the file
// cannot be opened, TInvalidBitmap ("Bitmap image is not valid") when it opens but is not
// a Windows bitmap Qt can decode (empty, wrong magic, zero or negative width, zero height,
// unknown header or bit depth, compressed as JPEG or PNG, pixels outside the file),
// TPictureTooLarge beyond MaxPicturePixels and TPictureMemoryError when memory runs out.
QImage ReadBmp(const std::string& path);

// Writes picture as a Windows bitmap; an empty picture gives a valid header of a 0 x 0
// bitmap. Throws TFileWriteError when the file cannot be written; the previous file at
// path is then left as it was.
void WriteBmp(const QImage& picture, const std::string& path);
