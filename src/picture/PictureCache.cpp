#include "picture/PictureCache.h"

#include "picture/PictureLoader.h"

void TPictureCache::Load(const std::string& name, const std::optional<TDecodeTarget>& target) {
  if (name == sourceName_ && !released_ && (!decodedFor_ || decodedFor_ == target)) return;
  sourceName_ = name;
  released_ = false;
  sourceBitmap_ = QImage();
  fileSize_ = QSize();
  decodedFor_ = std::nullopt;
  std::optional<TScaledPicture> ahead = ahead_ ? ahead_->Take(name, target) : std::nullopt;
  if (ahead_ && ahead_->Spent()) ahead_.reset();
  if (target) {
    TScaledPicture loaded = ahead ? std::move(*ahead) : LoadPictureFor(name, *target);
    sourceBitmap_ = std::move(loaded.picture);
    fileSize_ = loaded.fileSize;
    if (sourceBitmap_.size() != fileSize_) decodedFor_ = target;
  } else {
    sourceBitmap_ = LoadPicture(name);
    fileSize_ = sourceBitmap_.size();
  }
}

void TPictureCache::Clear() {
  sourceName_.clear();
  sourceBitmap_ = QImage();
  fileSize_ = QSize();
  decodedFor_ = std::nullopt;
  released_ = false;
}

void TPictureCache::Release() {
  if (ahead_ && ahead_->Spent()) ahead_.reset();
  if (sourceBitmap_.isNull()) return;
  sourceBitmap_ = QImage();
  released_ = true;
}
