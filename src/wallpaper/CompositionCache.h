// The one cached special-layout bitmap (ComposedBitmap) and the key it was composed for:
// the trimmed source name, the size the source was decoded at (a picture decoded reduced
// for a stretch composes differently from the whole one), the display method and the fill
// colour. The screen size is not
// part of the key. CurrSpecial hands out the cached bitmap while the key fits and composes
// a new one, under the busy cursor, when it does not.
#pragma once

#include <QImage>
#include <QSize>
#include <string>
#include <string_view>

#include "wallpaper/BusyCursor.h"
#include "wallpaper/DispMethods.h"

// The name without leading and trailing blanks and control characters (bytes <= 0x20).
std::string TrimName(std::string_view name);

class TCompositionCache {
 public:
  // The composition of sourceBitmap in layout code, reusing the cached one when its name
  // equals sourceName exactly and its size, code and fill are the same. Otherwise the old bitmap is
  // freed and a new one composed: for codes 3 to 6 and a non-empty name, else an empty
  // bitmap. The reference stays valid until the next call that composes or Clear.
  // A composition that fails (TCompositionError, std::bad_alloc) propagates after the
  // busy section has ended and leaves the cache empty, so the next request composes again.
  const QImage& CurrSpecial(const std::string& sourceName, const QImage& sourceBitmap, DispObj code, QRgb fill,
                            QSize screen, TBusyCursor& busy);

  // Frees the bitmap and forgets the key.
  void Clear();

  const QImage& ComposedBitmap() const { return composed_; }

 private:
  bool Fits(const std::string& sourceName, QSize sourceSize, DispObj code, QRgb fill) const;

  QImage composed_;
  std::string name_;
  QSize size_;
  DispObj code_ = DispObj::Tile;
  QRgb fill_ = qRgb(0, 0, 0);
};
