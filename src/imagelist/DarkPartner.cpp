#include "imagelist/DarkPartner.h"

#include "imagelist/StorableName.h"

std::string ShownPicture(const ImageEntry& entry, bool dark, const std::function<bool(const std::string&)>& exists) {
  if (!dark || entry.dark.empty() || !exists(entry.dark)) return entry.fileName;
  return entry.dark;
}

std::string PartnerRefusal(const ImageEntry& entry, const std::string& dark) {
  if (TImageList::FoldKey(dark) == TImageList::FoldKey(entry.fileName))
    return "A picture cannot be its own dark picture.";
  if (!IsStorableName(dark)) return "The configuration file cannot keep the name " + dark + ".";
  return {};
}
