// Fuzzes the configuration's load and save below the window, in memory: each input is the
// text of a TBigIniFile without a file. It is loaded as IniLoad loads it (the settings through
// LoadedSettings, the list through LoadBitmaps and ReadStoredDisp) and saved into the same
// object as SaveClick saves it (WriteSettings with TSettings::Value, SaveBitmaps). Loading
// what was saved and saving that again must give the same lines: a load keeps what a save
// wrote.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "FuzzWorkspace.h"
#include "config/BigIni.h"
#include "config/ConfigKeys.h"
#include "config/ConfigValues.h"
#include "config/Settings.h"
#include "config/SettingsIo.h"
#include "imagelist/ImageList.h"
#include "imagelist/ListFile.h"

namespace {

struct LoadedConfig {
  TSettings settings;
  TImageList list;

  TDispReader Reader(const TBigIniFile& ini) const {
    return [this, &ini](const std::string& fileName, const std::string& storedValue) {
      return ReadStoredDisp(ini, fileName, storedValue, settings.RandomCycle(), settings.DefaultDisplay);
    };
  }

  void Load(const TBigIniFile& ini) {
    const TInfoReader info(ini, {"/home/fuzz/Pictures", "/opt/tesserine", 46000.0});
    // The settings a window just made shows after the load.
    settings = LoadedSettings(info, TSettings());
    // The state keys are read as IniLoad reads them, for their conversions; a save leaves
    // their lines alone.
    info.Integer(InfoKey::ExecSinceChg);
    info.Text(InfoKey::LastImageNm);
    info.Text(InfoKey::LastDispStr);
    info.DateTime(InfoKey::LastChgDateTime);
    list.SetSorted(settings.SortImages);
    list.BeginUpdate();
    LoadBitmaps(list, ini, Reader(ini), [] {});
    list.EndUpdate();
  }

  void Save(TBigIniFile& ini) const {
    WriteSettings(ini, [this](const ConfigKey& key) { return settings.Value(key); });
    SaveBitmaps(
        ini, list, settings.RandomCycle(),
        [this](DispObj code) { return DispObjToStr(code, {}, settings.DefDispStr()); }, Reader(ini),
        [] { FuzzRequire(false, "every entry a load gives has its method"); });
  }
};

// Loads bytes as the configuration and saves it over them; returns the text saved.
std::string LoadAndSave(const std::string& bytes) {
  TBigIniFile ini("", bytes);
  LoadedConfig loaded;
  loaded.Load(ini);
  loaded.Save(ini);
  return ini.FileText();
}

// The lines of a file text in byte order. With "SortImages", two names that differ only in
// letter case share one line whose place follows the first of them, so a list sorted again
// after the next load may write its lines in another order; only the lines must not change.
std::vector<std::string> SortedLines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; start < text.size(); start = end + 2) {
    end = std::min(text.find("\r\n", start), text.size());
    lines.push_back(text.substr(start, end - start));
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string saved = LoadAndSave(std::string(reinterpret_cast<const char*>(data), size));
  const std::string again = LoadAndSave(saved);
  const bool same = again == saved || SortedLines(again) == SortedLines(saved);
  if (!same) std::fprintf(stderr, "Saved:\n%s\nSaved again:\n%s\n", saved.c_str(), again.c_str());
  FuzzRequire(same, "loading and saving a saved configuration keeps every line");
  return 0;
}
