#include "imagelist/FolderFile.h"

#include <vector>

#include "config/ConfigKeys.h"
#include "config/ConfigValues.h"
#include "imagelist/DarkFile.h"

TWatchedFolders LoadFolders(const TBigIniFile& ini) {
  TWatchedFolders folders;
  std::vector<std::string> keys;
  ini.ReadSection(FoldersSection, keys);
  for (const std::string& folder : keys) folders.Add(folder, ini.ReadString(FoldersSection, folder, "1") != "0");
  keys.clear();
  ini.ReadSection(ExcludedSection, keys);
  for (const std::string& file : keys) folders.Exclude(file);
  return folders;
}

void SaveFolders(TBigIniFile& ini, const TWatchedFolders& folders) {
  ini.EraseAllSections(FoldersSection);
  ini.EraseAllSections(ExcludedSection);
  for (const TWatchedFolder& folder : folders.Folders())
    ini.WriteString(FoldersSection, folder.folder, folder.subfolders ? "1" : "0");
  for (const std::string& file : folders.ExcludedPaths()) ini.WriteString(ExcludedSection, file, "");
}

void StoreSync(TBigIniFile& ini, std::string_view folder, const TFolderSyncResult& result,
               const std::function<std::string(DispObj)>& dispText, bool randomCycle) {
  if (!result.Changed() || ini.ReadString(FoldersSection, folder, "").empty()) return;
  ini.DeleteKeys(BitmapsSection, result.left);
  ini.DeleteKeys(DarkSection, result.left);
  for (const auto& [before, after] : result.renamed) {
    const std::string value = ini.ReadString(BitmapsSection, before, "");
    const std::string dark = ini.ReadString(DarkSection, before, "");
    ini.DeleteKey(BitmapsSection, before);
    ini.WriteString(BitmapsSection, after, value);
    if (dark.empty()) continue;
    ini.DeleteKey(DarkSection, before);
    ini.WriteString(DarkSection, after, dark);
  }
  for (const ImageEntry& entry : result.joined) {
    ini.WriteString(BitmapsSection, entry.fileName, EncodeBitmapsValue(dispText(entry.disp), entry.mark, randomCycle));
    if (!entry.dark.empty()) ini.WriteString(DarkSection, entry.fileName, entry.dark);
  }
  for (const auto& [entry, dark] : result.partnered) ini.WriteString(DarkSection, entry, dark);
}

void StoreAddedFolder(TBigIniFile& ini, std::string_view folder) { ini.WriteString(FoldersSection, folder, "1"); }
