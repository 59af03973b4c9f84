#include "imagelist/DarkPartner.h"

#include "imagelist/StorableName.h"
#include "platform/system/PathParts.h"

std::string ShownPicture(const ImageEntry& entry, bool dark, const std::function<bool(const std::string&)>& exists) {
  if (!dark || entry.dark.empty() || !exists(entry.dark)) return entry.fileName;
  return entry.dark;
}

std::string PartnerRefusal(const ImageEntry& entry, const std::string& dark) {
  if (dark.empty()) return "No dark picture was chosen.";
  if (TImageList::FoldKey(dark) == TImageList::FoldKey(entry.fileName))
    return "A picture cannot be its own dark picture.";
  if (!IsStorableName(dark)) return "The configuration file cannot keep the name " + dark + ".";
  return {};
}

std::string SetCurrentPartner(TImageList& list, const std::string& dark) {
  const int current = list.FirstSelected();
  if (current < 0) return "No image is selected.";
  std::string refusal = PartnerRefusal(list.At(current), dark);
  if (refusal.empty()) list.SetDark(current, dark);
  return refusal;
}

bool ClearSelectedPartners(TImageList& list) {
  bool cleared = false;
  for (int i = 0; i < list.Count(); ++i) {
    if (!list.Selected(i) || list.At(i).dark.empty()) continue;
    list.SetDark(i, std::string());
    cleared = true;
  }
  return cleared;
}

TPartnerItems PartnerItems(const TImageList& list) {
  TPartnerItems items;
  items.set = list.SelCount() == 1;
  for (int i = 0; i < list.Count() && !items.clear; ++i) items.clear = list.Selected(i) && !list.At(i).dark.empty();
  return items;
}

std::string PartnerMark(const ImageEntry& entry) {
  if (entry.dark.empty()) return {};
  return "  [dark: " + FileNamePart(entry.dark) + "]";
}
