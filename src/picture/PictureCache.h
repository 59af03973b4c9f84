// The one-entry load cache of the current entry's picture: SourceBitmap and the file
// name it came from (SourceName). Load decodes only when the name differs from SourceName,
// or when the picture of that name has been released.
#pragma once

#include <QImage>
#include <QSize>
#include <memory>
#include <optional>
#include <string>

#include "picture/DecodeScale.h"
#include "picture/PictureAhead.h"

class TPictureCache {
 public:
  // Decodes name by its extension unless it equals SourceName (case-sensitive). A file that
  // cannot be opened or decoded leaves an empty 0 x 0 picture; errors that must reach the
  // user (an invalid bitmap, a picture beyond the size limit) propagate as exceptions after
  // SourceName has been set, so the next Load of the same name does not decode again.
  // With a target, the picture only has to serve a wallpaper shown under it: a JPEG, PNG or
  // WebP is then decoded only as far as it shows (LoadPictureFor). A picture decoded whole serves every target; a
  // reduced one only its own, so a Load for another target, or for none, decodes again.
  void Load(const std::string& name, const std::optional<TDecodeTarget>& target = std::nullopt);
  // The next Load for a target takes ahead's picture when it is the one asked for; ahead is
  // let go as soon as it has nothing more to give and its thread has ended.
  void Expect(std::unique_ptr<TPictureAhead> ahead) { ahead_ = std::move(ahead); }
  // Forgets the picture and the name (forces the next Load to decode).
  void Clear();
  // Frees a decoded picture but keeps its name; the next Load of that name decodes the file
  // again. A picture that failed to decode holds nothing and stays as it is, so a load
  // error is not raised a second time for the same name.
  void Release();

  const std::string& SourceName() const { return sourceName_; }
  const QImage& SourceBitmap() const { return sourceBitmap_; }
  // The size the file states: SourceBitmap's size unless it was decoded reduced.
  QSize FileSize() const { return fileSize_; }
  // Whether SourceBitmap is only the part of the file's picture that a centred target shows.
  bool HoldsPart() const { return decodedFor_ && decodedFor_->use == DecodeUse::Centred; }

 private:
  std::string sourceName_;
  QImage sourceBitmap_;
  QSize fileSize_;
  std::optional<TDecodeTarget> decodedFor_;  // nullopt: decoded whole
  bool released_ = false;
  std::unique_ptr<TPictureAhead> ahead_;
};
