#include "explorer/PreviewDecode.h"

#include "picture/PictureErrors.h"
#include "picture/PictureLoader.h"

std::optional<TDecodeTarget> PreviewDecodeTarget(PreviewMode mode, QSize box) {
  if (mode != PreviewMode::Shrink || box.isEmpty()) return std::nullopt;
  return TDecodeTarget{box, true, DecodeUse::Stretched};
}

bool PreviewServes(const TPreviewPicture& held, const std::string& name, const std::optional<TDecodeTarget>& wanted) {
  return !name.empty() && held.name == name && (!held.Reduced() || held.target == wanted);
}

TPreviewPicture LoadPreviewPicture(const std::string& name, const std::optional<TDecodeTarget>& wanted) {
  TPreviewPicture held;
  held.name = name;
  held.target = wanted;
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
