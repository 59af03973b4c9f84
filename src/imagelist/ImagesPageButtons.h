// Which controls of the Images page can be used, from the list's state alone, and what the
// page says of the current entry.
#pragma once

#include <QSize>
#include <string>

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

// The items of the list's shortcut menu, from the page's controls as ImagesPageButtons gave
// them and the number of selected entries.
struct TPopupItems {
  bool moveUp = false;
  bool moveDown = false;
  bool display = false;
  // Remove, and the Display Type submenu.
  bool remove = false;
  bool apply = false;
};
TPopupItems ImgPopupItems(const TImagesPageButtons& buttons, int selected);

// The hint over the list and the preview: the current entry's file and its place ("name (#3)"),
// empty without a current entry.
std::string CurrentEntryHint(const TImageList& list);

// The name, width and height the page shows of the current entry, the size being the one its
// file states; without a current entry, an empty name and blank sizes.
struct TEntryLabels {
  std::string name;
  std::string width;
  std::string height;
};
TEntryLabels CurrentEntryLabels(const TImageList& list, QSize fileSize);
