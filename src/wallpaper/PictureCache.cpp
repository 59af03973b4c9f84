#include "wallpaper/PictureCache.h"

#include "wallpaper/PictureLoader.h"

void TPictureCache::Load(const std::string& name) {
  if (name == sourceName_) return;
  sourceName_ = name;
  sourceBitmap_ = QImage();
  sourceBitmap_ = LoadPicture(name);
}

void TPictureCache::Clear() {
  sourceName_.clear();
  sourceBitmap_ = QImage();
}
