#include "imagelist/ImagesPageButtons.h"

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
