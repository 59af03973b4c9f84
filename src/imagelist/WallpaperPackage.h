// Wallpaper packages as KDE Plasma installs them: a folder with "metadata.json" or
// "metadata.desktop" whose "contents/images/<width>x<height>.<ext>" are one picture in several
// sizes, "contents/images_dark/" the same for its dark variant, and "contents/screenshot.<ext>"
// a preview. A package is one entry: the size that suits the primary monitor, with the dark
// size chosen by the same rule as its partner.
#pragma once

#include <QSize>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What a file of a package is, by its path alone.
struct TPackageFile {
  enum class Kind { Image, DarkImage, Screenshot };
  // The package's folder, without a trailing "/".
  std::string package;
  Kind kind = Kind::Image;
  // The size its name gives (an Image or DarkImage).
  QSize size;
};

// nullopt for a path that is no package's picture or preview by its shape.
std::optional<TPackageFile> PackageFileOf(std::string_view path);

// The size of sizes (not empty) that suits screen: of those that cover it, the one whose
// proportions are nearest the screen's, and of equal proportions the smallest; where none
// covers (or without a screen), the largest. Its index.
std::size_t ChooseSize(const std::vector<QSize>& sizes, QSize screen);
