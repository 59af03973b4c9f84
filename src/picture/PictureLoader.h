// Loading a picture file by its extension, shared by the wallpaper, the preview, the
// viewer and the Image Explorer.
//
// Data flow: LoadPicture picks the decoder from PictureFormatOf(path): JPEG (DecodeJpeg),
// GIF (TGIFImage's first frame), PNG (DecodePng), WebP (DecodeWebp) or, for any other
// extension, a Windows bitmap (ReadBmp). With a target, a JPEG, PNG or WebP is decoded only
// as far as the target shows it (DecodeJpegFor, DecodePngFor, DecodeWebpFor). The expected
// failures (the file cannot be opened, a JPEG, GIF, PNG or WebP that does not decode) give
// an empty 0 x 0 picture; the ones the user must see are thrown. TPictureCache keeps the
// last loaded picture by file name.
#pragma once

#include <QImage>
#include <string>
#include <string_view>

#include "picture/DecodeScale.h"
#include "picture/RowSink.h"

// The extension of path from its last dot, upper-cased in ASCII (".JPG"); a dot in a
// directory name does not count, and a name without a dot gives "".
std::string UpperExt(std::string_view path);

// The picture in path as Format_RGB32, or an empty image when the file cannot be opened or
// a JPEG, GIF, PNG or WebP cannot be decoded. Throws TInvalidBitmap for a file of any other extension
// that is not a valid bitmap, TPictureTooLarge for a picture beyond MaxPicturePixels (all
// formats) and TPictureMemoryError when memory runs out.
QImage LoadPicture(const std::string& path);

// LoadPicture's picture for a wallpaper shown under target: a JPEG, PNG or WebP only as far
// as target shows it (DecodeStillPictureFor), every other format whole; with the size the
// file states.
// An empty picture, as LoadPicture's, gives an empty size.
TScaledPicture LoadPictureFor(const std::string& path, const TDecodeTarget& target);

// The picture in path decoded by its extension as JPEG, PNG or WebP, and for every other
// extension, ".GIF" included, as a Windows bitmap; for callers that show GIF files through
// their own control. Throws every error of those decoders.
QImage DecodeStillPicture(const std::string& path);

// DecodeStillPicture's picture for target: a JPEG, PNG or WebP as DecodeJpegFor,
// DecodePngFor and DecodeWebpFor give it, every other format whole; with the size the file
// states. Throws as DecodeStillPicture does.
TScaledPicture DecodeStillPictureFor(const std::string& path, const TDecodeTarget& target);

// DecodeStillPicture's whole picture handed to sink row by row: a JPEG, PNG or WebP as it is
// decoded, so that it is never held whole, every other format once decoded. Throws as
// DecodeStillPicture does.
void DecodeStillPictureRows(const std::string& path, const TRowSink& sink);
