#include "imagelist/FolderPictures.h"

#include <algorithm>
#include <array>
#include <string>

#include "imagelist/ImageList.h"
#include "imagelist/StorableName.h"
#include "picture/PictureLoader.h"
#include "platform/system/PathParts.h"
#include "wallpaper/ConvertedBitmap.h"

bool IsPictureName(std::string_view path) {
  static constexpr std::array<std::string_view, 6> kExtensions = {".BMP", ".JPG", ".JPEG", ".GIF", ".PNG", ".WEBP"};
  const std::string name = FileNamePart(std::string(path));
  // A name that is an extension alone (".jpg") is a hidden file, not a picture.
  if (name.rfind('.') == 0) return false;
  if (TImageList::FoldKey(name) == TImageList::FoldKey(ConvertBaseName)) return false;
  const std::string extension = UpperExt(name);
  return std::find(kExtensions.begin(), kExtensions.end(), extension) != kExtensions.end();
}

TFileVerdict FolderPictureVerdict(std::string_view path) {
  if (!IsPictureName(path)) return TFileVerdict::Ignore;
  return IsStorableName(path) ? TFileVerdict::Take : TFileVerdict::Skip;
}
