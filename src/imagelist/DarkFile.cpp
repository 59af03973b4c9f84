#include "imagelist/DarkFile.h"

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

void LoadDark(TImageList& list, const TBigIniFile& ini) {
  std::vector<std::string> keys;
  ini.ReadSection(DarkSection, keys);
  if (keys.empty()) return;
  std::unordered_map<std::string, std::string> partners;
  for (const std::string& key : keys) {
    std::string dark = ini.ReadString(DarkSection, key, "");
    if (!dark.empty()) partners.emplace(TImageList::FoldKey(key), std::move(dark));
  }
  for (int i = 0; i < list.Count(); ++i)
    if (const auto found = partners.find(TImageList::FoldKey(list.At(i).fileName)); found != partners.end())
      list.SetDark(i, found->second);
}

void SaveDark(TBigIniFile& ini, const TImageList& list) {
  std::vector<std::string> stored;
  ini.ReadSection(DarkSection, stored);
  std::unordered_set<std::string> kept;
  for (int i = 0; i < list.Count(); ++i)
    if (!list.At(i).dark.empty()) kept.insert(TImageList::FoldKey(list.At(i).fileName));
  if (kept.empty()) {
    if (!stored.empty()) ini.EraseAllSections(DarkSection);
    return;
  }
  std::vector<std::string> gone;
  for (const std::string& key : stored)
    if (!kept.count(TImageList::FoldKey(key))) gone.push_back(key);
  if (!gone.empty()) ini.DeleteKeys(DarkSection, gone);
  for (int i = 0; i < list.Count(); ++i) {
    const ImageEntry& entry = list.At(i);
    if (!entry.dark.empty() && ini.ReadString(DarkSection, entry.fileName, "") != entry.dark)
      ini.WriteString(DarkSection, entry.fileName, entry.dark);
  }
}
