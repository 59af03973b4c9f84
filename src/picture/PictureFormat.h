// The picture format a file is decoded as, chosen by its extension alone: the contents are
// never sniffed, so a file whose contents do not match its name fails in its extension's
// decoder.
#pragma once

#include <string_view>

enum class PictureFormat { Bitmap, Jpeg, Gif, Png, Webp };

// ".JPG" and ".JPEG" give Jpeg, ".GIF" Gif, ".PNG" Png and ".WEBP" Webp, in any ASCII
// case; every other extension, the empty one included, gives Bitmap.
PictureFormat PictureFormatOf(std::string_view path);
