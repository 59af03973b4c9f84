#include "imagelist/FolderPictures.h"

#include <algorithm>
#include <array>

#include "imagelist/StorableName.h"
#include "wallpaper/ConvertedBitmap.h"

namespace {

// ASCII letters compared without their case; every other byte as it is. Called for every
// file of a watched tree, so it allocates nothing.
bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

bool IsPictureName(std::string_view path) {
  static constexpr std::array<std::string_view, 6> kExtensions = {".bmp", ".jpg", ".jpeg", ".gif", ".png", ".webp"};
  const std::size_t slash = path.rfind('/');
  const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  const std::size_t dot = name.rfind('.');
  // A name that is an extension alone (".jpg") is a hidden file, not a picture.
  if (dot == std::string_view::npos || dot == 0) return false;
  if (IsConvertedName(name)) return false;
  const std::string_view extension = name.substr(dot);
  return std::any_of(kExtensions.begin(), kExtensions.end(),
                     [&](std::string_view known) { return SameIgnoringAsciiCase(extension, known); });
}

TFileVerdict FolderPictureVerdict(std::string_view path) {
  if (!IsPictureName(path)) return TFileVerdict::Ignore;
  return IsStorableName(path) ? TFileVerdict::Take : TFileVerdict::Skip;
}
