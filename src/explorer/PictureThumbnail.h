// The thumbnail maker of the Image Explorer's file list, by file extension: JPEG through
// the reduced-size decoder, GIF's first frame, PNG averaged down as its rows are decoded,
// WebP scaled by libwebp as it decodes, anything else as a Windows bitmap.
#pragma once

#include <QImage>
#include <QString>

// A picture of the file whose longer side is at least size pixels (unless the picture is
// smaller), for scaling down to a thumbnail; null when the file gives no picture. Never
// throws; safe on any thread.
QImage MakePictureThumbnail(const QString& path, int size);
