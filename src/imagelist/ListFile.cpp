#include "imagelist/ListFile.h"

#include <vector>

#include "config/ConfigKeys.h"
#include "imagelist/DarkFile.h"

TStoredDisp ReadStoredDisp(const TBigIniFile& ini, const std::string& fileName, const std::string& storedValue,
                           bool randomCycle, DispObj defDisp) {
  const std::string value = storedValue.empty() ? ini.ReadString(BitmapsSection, fileName, "") : storedValue;
  return DecodeBitmapsValue(value, randomCycle, defDisp);
}

bool LoadBitmaps(TImageList& list, const TBigIniFile& ini, const TDispReader& readDisp,
                 const std::function<void()>& keepPainting) {
  std::vector<std::string> keys;
  std::vector<std::string> lines;
  ini.ReadSection(BitmapsSection, keys);
  ini.ReadSectionValues(BitmapsSection, lines);
  list.Reserve(static_cast<int>(lines.size()) + 1);
  bool anyShown = false;
  for (std::size_t i = 0; i < lines.size() && i < keys.size(); ++i) {
    if (i % 100 == 1) keepPainting();
    // An entry without a name could not be saved: an empty key would erase the section.
    const std::string name = BitmapsLineName(keys[i], lines[i]);
    if (name.empty()) continue;
    const TStoredDisp stored = readDisp(name, BitmapsLineValue(lines[i]));
    list.Append({name, stored.disp, stored.mark});
    anyShown = anyShown || stored.mark == 1;
  }
  list.Reserve(1);
  LoadDark(list, ini);
  return anyShown;
}

void SaveBitmaps(TBigIniFile& ini, const TImageList& list, bool randomCycle,
                 const std::function<std::string(DispObj)>& dispText, const TDispReader& readDisp,
                 const std::function<void()>& unresolved) {
  // Every "Bitmaps" section: a hand-made duplicate left in the file would come back as the
  // list at the next start once this list is empty.
  ini.EraseAllSections(BitmapsSection);
  for (int i = 0; i < list.Count(); ++i) {
    const ImageEntry& entry = list.At(i);
    if (entry.fileName.empty()) continue;
    DispObj code = entry.disp;
    std::int32_t mark = entry.mark;
    if (ToInt(code) < 0) {
      const TStoredDisp stored = readDisp(entry.fileName, std::string());
      code = stored.disp;
      mark = stored.mark;
      unresolved();
    }
    ini.WriteString(BitmapsSection, entry.fileName, EncodeBitmapsValue(dispText(code), mark, randomCycle));
  }
  SaveDark(ini, list);
}
