// What a watched folder's listing offers as entries: a wallpaper package's sizes folded into
// the one that suits the primary monitor, with its dark size as partner, and its preview left
// out; a dark picture with a light twin folded into that twin as its partner. What is folded
// goes to the listing's withheld files, which never join and leave the list as deleted files do.
#pragma once

#include <QSize>
#include <functional>
#include <string>

#include "platform/system/FolderScan.h"

// exists(path): whether a file is there (a package's metadata).
void ShapeListing(TFolderListing& listing, QSize screen, const std::function<bool(const std::string&)>& exists);

// The shape for a folder watch: ShapeListing for screen, asking the file system.
TListingShape ListingShapeFor(QSize screen);
