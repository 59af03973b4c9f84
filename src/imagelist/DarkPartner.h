// Which picture an entry shows, and the user's edits of its dark partner.
#pragma once

#include <functional>
#include <string>

#include "imagelist/ImageList.h"

// The file a change shows for entry: its dark partner while dark, where it has one whose
// file is there (exists); otherwise its own file (a partner on a disk that is away shows the
// entry, and keeps its line).
std::string ShownPicture(const ImageEntry& entry, bool dark, const std::function<bool(const std::string&)>& exists);

// Why a partner cannot be set, or empty when it can: the entry's own file, a name the
// configuration cannot keep.
std::string PartnerRefusal(const ImageEntry& entry, const std::string& dark);
