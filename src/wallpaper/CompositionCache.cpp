#include "wallpaper/CompositionCache.h"

#include "wallpaper/Compositions.h"

namespace {

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 0x20; }

}  // namespace

std::string TrimName(std::string_view name) {
  std::size_t first = 0;
  std::size_t last = name.size();
  while (first < last && IsBlankOrControl(name[first])) ++first;
  while (last > first && IsBlankOrControl(name[last - 1])) --last;
  return std::string(name.substr(first, last - first));
}

bool TCompositionCache::Fits(const std::string& sourceName, QSize sourceSize, DispObj code, QRgb fill) const {
  // Without a name the composition is empty whatever the picture, so its size does not count.
  return name_ == sourceName && (sourceName.empty() || size_ == sourceSize) && code_ == code && fill_ == fill;
}

const QImage& TCompositionCache::CurrSpecial(const std::string& sourceName, const QImage& sourceBitmap, DispObj code,
                                             QRgb fill, QSize screen, TBusyCursor& busy) {
  if (Fits(sourceName, sourceBitmap.size(), code, fill)) return composed_;
  const auto busyScope = BusySection(busy);
  // The old bitmap goes first so that a large picture is never held twice. Until the new
  // one is done the cache holds the initial key, which only an empty bitmap fits.
  Clear();
  if (!sourceName.empty()) composed_ = ComposeSpecial(sourceBitmap, code, fill, screen);
  name_ = TrimName(sourceName);
  size_ = sourceBitmap.size();
  code_ = code;
  fill_ = fill;
  return composed_;
}

void TCompositionCache::Clear() { *this = TCompositionCache(); }
