#include "platform/FileWallpaper.h"

void TFileWallpaper::Apply(const WallpaperValues& values) {
  last_ = values;
  ++applyCount_;
}
