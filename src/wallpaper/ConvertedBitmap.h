// The converted wallpaper bitmap: the one file into which every picture the desktop
// cannot take as it is gets written, optionally stretched to the screen first.
#pragma once

#include <QImage>
#include <QSize>
#include <optional>
#include <string>
#include <string_view>

inline constexpr const char* ConvertBaseName = "Tesserina Convert.BMP";
// The dark partner's converted bitmap, beside the other: desktops that switch by themselves
// between a light and a dark picture are given both.
inline constexpr const char* DarkConvertBaseName = "Tesserina Convert Dark.BMP";

// folder (the program's folder, with or without a trailing "/") joined with
// "Tesserina Convert.BMP".
std::string ConvertFileName(const std::string& folder);
// The same with "Tesserina Convert Dark.BMP".
std::string DarkConvertFileName(const std::string& folder);

// Whether a file's name (without its folder) is one of the program's converted bitmaps: the
// primary's, a further monitor's ("Tesserina Convert 2.BMP", ...) or the dark partner's, in
// any letter case.
bool IsConvertedName(std::string_view name);

// picture, or picture stretched to stretchTo independently in width and height by
// repeating or dropping pixels (no smoothing). An empty picture stretched to a size gives
// a black bitmap of that size.
QImage StretchPicture(const QImage& picture, std::optional<QSize> stretchTo);

// Writes StretchPicture(picture, stretchTo) to path as a Windows bitmap, replacing the
// file only once the new one is complete. Throws TFileWriteError.
void WriteConverted(const QImage& picture, std::optional<QSize> stretchTo, const std::string& path);

// WriteConverted of the whole picture in the file at picturePath, unstretched, decoded row
// by row straight into the file (DecodeStillPictureRows), so a JPEG, PNG or WebP is never
// held whole in memory: the bytes are those of
// WriteConverted(DecodeStillPicture(picturePath), std::nullopt, path). Throws
// TFileWriteError and DecodeStillPicture's errors; the previous file is then left as it was.
void WritePictureConverted(const std::string& picturePath, const std::string& path);
