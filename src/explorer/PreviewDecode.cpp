#include "explorer/PreviewDecode.h"

#include "picture/PictureErrors.h"
#include "picture/PictureFormat.h"
#include "picture/PictureLoader.h"

PreviewKind PreviewKindOf(const std::string& name, bool isFolder) {
  if (name.empty() || isFolder) return PreviewKind::None;
  const PictureFormat format = PictureFormatOf(name);
  if (format == PictureFormat::Gif) return PreviewKind::Gif;
  if (format != PictureFormat::Bitmap || UpperExt(name) == ".BMP") return PreviewKind::Picture;
  return PreviewKind::None;
}

std::optional<TDecodeTarget> PreviewDecodeTarget(PreviewMode mode, QSize box) {
  if (mode != PreviewMode::Shrink || box.isEmpty()) return std::nullopt;
  return TDecodeTarget{box, true, DecodeUse::Stretched};
}

bool PreviewServes(const TPreviewPicture& held, const std::string& name, const std::optional<TDecodeTarget>& wanted) {
  if (name.empty() || held.name != name) return false;
  if (!held.Reduced()) return true;
  if (!wanted) return false;
  const QSize shown = StretchedSize(held.fileSize, *wanted);
  return held.picture.width() >= shown.width() && held.picture.height() >= shown.height();
}

TPreviewPicture LoadPreviewPicture(const std::string& name, const std::optional<TDecodeTarget>& wanted) {
  TPreviewPicture held;
  held.name = name;
  if (name.empty()) return held;
  try {
    if (wanted) {
      TScaledPicture scaled = DecodeStillPictureFor(name, *wanted);
      held.picture = std::move(scaled.picture);
      held.fileSize = scaled.fileSize;
    } else {
      held.picture = DecodeStillPicture(name);
      held.fileSize = held.picture.size();
    }
  } catch (const TFileOpenError&) {
  }
  return held;
}

bool LargerThanBox(QSize fileSize, QSize box) {
  return fileSize.width() > box.width() || fileSize.height() > box.height();
}
