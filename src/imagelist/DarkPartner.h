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

// The current entry takes dark as its partner. Why it cannot (PartnerRefusal, or no current
// entry), or empty when it did.
std::string SetCurrentPartner(TImageList& list, const std::string& dark);
// The selected entries lose their partners; whether any had one.
bool ClearSelectedPartners(TImageList& list);

// The shortcut menu's partner items: "Dark Picture..." for one selected entry, "No Dark
// Picture" while a selected entry has a partner.
struct TPartnerItems {
  bool set = false;
  bool clear = false;
};
TPartnerItems PartnerItems(const TImageList& list);

// What the list shows after an entry's name: its partner's file name ("  [dark: sea-d.png]"),
// empty without one.
std::string PartnerMark(const ImageEntry& entry);
