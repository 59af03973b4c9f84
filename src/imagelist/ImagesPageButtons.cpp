#include "imagelist/ImagesPageButtons.h"

#include "platform/system/PathParts.h"

TImagesPageButtons ImagesPageButtons(const TImageList& list, DispObj method, bool pictureLoaded, bool sorted,
                                     bool moveRefused) {
  TImagesPageButtons buttons;
  const int current = list.FirstSelected();
  const bool hasMethod = method != DispObj::None;
  buttons.remove = hasMethod && list.SelCount() > 0;
  buttons.pictureCommands = hasMethod && pictureLoaded;
  const bool moveAllowed = current >= 0 && !(sorted && moveRefused);
  buttons.moveUp = moveAllowed && current > 0;
  buttons.moveDown = moveAllowed && current < list.Count() - 1;
  buttons.startAgent = list.Count() > 0;
  buttons.singleEntry = list.SelCount() == 1;
  return buttons;
}

TPopupItems ImgPopupItems(const TImagesPageButtons& buttons, int selected) {
  const bool one = selected == 1;
  return {buttons.moveUp && one, buttons.moveDown && one, buttons.pictureCommands && one,
          buttons.remove && selected >= 1, buttons.pictureCommands && one};
}

std::string CurrentEntryHint(const TImageList& list) {
  const int current = list.FirstSelected();
  if (current < 0) return {};
  return list.At(current).fileName + " (#" + std::to_string(current + 1) + ")";
}

TEntryLabels CurrentEntryLabels(const TImageList& list, QSize fileSize) {
  const int current = list.FirstSelected();
  if (current < 0) return {"", " ", " "};
  return {FileNamePart(list.At(current).fileName), std::to_string(fileSize.width()), std::to_string(fileSize.height())};
}
