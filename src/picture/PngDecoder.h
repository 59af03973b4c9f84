// PNG decoding through libpng's progressive reader: the file is fed in pieces and its rows
// come out one at a time, so a picture decoded for a target (TPictureRows) is never held
// whole: a stretch averages the rows as they come, a centred picture keeps only the rows and
// columns that show. An interlaced picture is gathered whole first, its rows handed out once
// the last pass is in. The pixels and the files refused are those of Qt's PNG reader, with
// transparency over black (PngPixels); so are the messages of a file that does not decode.
// libpng's errors stay inside the decoder and become exceptions here.
#pragma once

#include <QImage>
#include <optional>
#include <string>
#include <string_view>

#include "picture/DecodeScale.h"
#include "picture/RowSink.h"

// The whole picture in the PNG file at path as Format_RGB32. Throws TFileOpenError when the
// file cannot be opened, TDecodeError when its contents are not a PNG picture libpng
// decodes to its end (cut short, corrupt, another format), TPictureTooLarge when the header
// states a size beyond MaxPicturePixels (before any row is decoded) and TPictureMemoryError
// when memory runs out.
QImage DecodePng(const std::string& path);

// The picture in the PNG file at path for target: averaged by area to ReducedSize for a
// stretch that reduces it, only CenterPart for a centred target, otherwise whole, exactly as
// DecodePng gives it. The whole file is decoded and checked either way, so the same files
// fail as with DecodePng, and the size limit is the whole picture's. Throws as DecodePng.
TScaledPicture DecodePngFor(const std::string& path, const TDecodeTarget& target);

// DecodePngFor (the whole picture without a target) on a picture's bytes in memory; its
// error messages call the picture name.
TScaledPicture DecodePngBytes(std::string_view bytes, const std::string& name,
                              const std::optional<TDecodeTarget>& target = std::nullopt);

// The whole picture in the PNG file at path, DecodePng's pixels, handed to sink one row at a
// time. Throws as DecodePng does; on TDecodeError the rows before the error have been handed
// over (none of an interlaced picture).
void DecodePngRows(const std::string& path, const TRowSink& sink);
