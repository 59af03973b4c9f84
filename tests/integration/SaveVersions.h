// Numbered versions of the three files the program replaces (the configuration, the
// converted wallpaper bitmap and the start-up entry), each version different all through
// the file, written through the program's own writers. The save-loop helper writes them one
// after the other; the kill test writes single versions as references.
#pragma once

#include <QColor>
#include <QImage>
#include <string>

#include "autostart/PBShellLink.h"
#include "config/BigIni.h"
#include "wallpaper/ConvertedBitmap.h"

enum class SavedFile { Config, Bitmap, Entry };

inline constexpr int kConfigEntries = 10000;

// Rewrites every line of ini as version k and saves it, the list erased and written anew
// as the configuration's save does.
inline void SaveConfigVersion(TBigIniFile& ini, int k) {
  ini.WriteInteger("Info", "Saves", k);
  ini.EraseSection("Bitmaps");
  const char* method = k % 2 == 0 ? "TILE.NOT" : "CENTER.MARKED";
  for (int i = 0; i < kConfigEntries; ++i)
    ini.WriteString("Bitmaps", "/pictures/" + std::to_string(k % 7) + "/" + std::to_string(i) + ".jpg", method);
  ini.UpdateFile();
}

inline void SaveBitmapVersion(const std::string& path, int k) {
  QImage picture(640 + k % 5, 480, QImage::Format_RGB32);
  picture.fill(QColor::fromHsv(k * 37 % 360, 200, 200));
  // The resolution in the file header otherwise follows the screen of the writing process.
  picture.setDotsPerMeterX(3780);
  picture.setDotsPerMeterY(3780);
  WriteConverted(picture, QSize(800, 600 + k % 3), path);
}

inline void SaveEntryVersion(const std::string& path, int k) {
  TPBShellLink link;
  link.SetFileName(path);
  link.SetDescription("Tesserine");
  link.SetWorkingDir("/opt/" + std::string(static_cast<std::size_t>(k % 50 + 1), 'a' + k % 26) + "/");
  link.SetTarget("/opt/" + std::string(static_cast<std::size_t>(k % 50 + 1), 'a' + k % 26) + "/tesserine");
  link.SaveLink();
}

// Version k of kind at path; a Config version starts from whatever path holds.
inline void SaveVersion(SavedFile kind, const std::string& path, int k) {
  switch (kind) {
    case SavedFile::Config: {
      TBigIniFile ini(path);
      SaveConfigVersion(ini, k);
      break;
    }
    case SavedFile::Bitmap:
      SaveBitmapVersion(path, k);
      break;
    case SavedFile::Entry:
      SaveEntryVersion(path, k);
      break;
  }
}
