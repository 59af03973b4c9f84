// WebP decoding through libwebp itself. A still picture is decoded for its target as libwebp
// allows: scaled while it decodes to the size a stretch shows (ReducedSize), or cropped to the
// columns a centred picture shows (CenterPart), only the middle's rows kept, on a second
// thread where libwebp can use one. Either way libwebp goes through the whole file, so a
// damaged one fails as it fails whole.
// The whole picture can be handed out row by row as it decodes, so the converted file of a
// large picture is written without holding it. The pixels are those of Qt's WebP reader,
// blue, green, red and alpha from libwebp with transparency over black, and so are the files
// it refuses and its messages; an animation gives its first frame, composed by libwebp's
// animation decoder, whole.
#pragma once

#include <QImage>
#include <optional>
#include <string>
#include <string_view>

#include "picture/DecodeScale.h"
#include "picture/RowSink.h"

// The whole picture in the WebP file at path as Format_RGB32; an animation gives its first
// frame. Throws TFileOpenError when the file cannot be opened, TDecodeError when its
// contents are not a WebP picture (cut short, corrupt, another format), TPictureTooLarge
// when it states a size beyond MaxPicturePixels (before any pixel is decoded) and
// TPictureMemoryError when memory runs out.
QImage DecodeWebp(const std::string& path);

// The picture in the WebP file at path for target: scaled by libwebp to ReducedSize for a
// stretch that reduces it, only CenterPart for a centred target (the same pixels as that
// rectangle of DecodeWebp's picture), otherwise whole, exactly as DecodeWebp gives it; an
// animation's first frame is always whole. The size limit is the whole picture's. Throws as
// DecodeWebp.
TScaledPicture DecodeWebpFor(const std::string& path, const TDecodeTarget& target);

// DecodeWebpFor (the whole picture without a target) on a picture's bytes in memory; its
// error messages call the picture name.
TScaledPicture DecodeWebpBytes(std::string_view bytes, const std::string& name,
                               const std::optional<TDecodeTarget>& target = std::nullopt);

// The whole picture in the WebP file at path, DecodeWebp's pixels, handed to sink one row at
// a time as libwebp decodes them; the rows handed over are let go, so a lossy picture is
// never held whole (a lossless one and an animation's first frame are, as libwebp holds them
// whole itself). Throws as DecodeWebp does; on TDecodeError the rows before the error may
// have been handed over.
void DecodeWebpRows(const std::string& path, const TRowSink& sink);
