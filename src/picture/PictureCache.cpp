#include "picture/PictureCache.h"

#include "picture/PictureLoader.h"

void TPictureCache::Load(const std::string& name) {
  if (name == sourceName_ && !released_) return;
  sourceName_ = name;
  released_ = false;
  sourceBitmap_ = QImage();
  sourceBitmap_ = LoadPicture(name);
}

void TPictureCache::Clear() {
  sourceName_.clear();
  sourceBitmap_ = QImage();
  released_ = false;
}

void TPictureCache::Release() {
  if (sourceBitmap_.isNull()) return;
  sourceBitmap_ = QImage();
  released_ = true;
}
