// Which controls of the Images page can be used, from the list's state alone.
#pragma once

#include "imagelist/ImageList.h"

struct TImagesPageButtons {
  bool remove = false;
  // Apply, Display, the method choices and the composition list: they need the current
  // entry's picture.
  bool pictureCommands = false;
  bool moveUp = false;
  bool moveDown = false;
  bool startAgent = false;
  // The Display group and the method icon act on exactly one entry.
  bool singleEntry = false;
};

// method: the current entry's (the default method without one), None when it is unknown;
// pictureLoaded: the current entry's picture was read; moveRefused: a move was refused
// because the list is sorted, which keeps the moves off until sorting changes.
TImagesPageButtons ImagesPageButtons(const TImageList& list, DispObj method, bool pictureLoaded, bool sorted,
                                     bool moveRefused);
