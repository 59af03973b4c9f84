#include "imagelist/WallpaperPackage.h"

#include <charconv>
#include <cmath>

namespace {

constexpr std::string_view kImages = "/contents/images/";
constexpr std::string_view kDarkImages = "/contents/images_dark/";
constexpr std::string_view kScreenshot = "/contents/screenshot.";

// "<width>x<height>.<ext>": both numbers positive, an extension after the dot.
std::optional<QSize> SizeOfName(std::string_view name) {
  const std::size_t x = name.find('x');
  const std::size_t dot = name.find('.');
  if (x == std::string_view::npos || dot == std::string_view::npos || x == 0 || dot <= x + 1 || dot + 1 == name.size())
    return std::nullopt;
  int width = 0;
  int height = 0;
  const auto [wEnd, wError] = std::from_chars(name.data(), name.data() + x, width);
  const auto [hEnd, hError] = std::from_chars(name.data() + x + 1, name.data() + dot, height);
  if (wError != std::errc() || hError != std::errc() || wEnd != name.data() + x || hEnd != name.data() + dot ||
      width <= 0 || height <= 0)
    return std::nullopt;
  return QSize(width, height);
}

// How far the proportions of size are from the screen's, as the logarithm of their ratio.
double ProportionDistance(QSize size, QSize screen) {
  return std::abs(std::log(static_cast<double>(size.width()) * screen.height() /
                           (static_cast<double>(size.height()) * screen.width())));
}

std::int64_t Area(QSize size) { return static_cast<std::int64_t>(size.width()) * size.height(); }

}  // namespace

std::optional<TPackageFile> PackageFileOf(std::string_view path) {
  const auto inFolder = [&](std::string_view folder, TPackageFile::Kind kind) -> std::optional<TPackageFile> {
    const std::size_t at = path.rfind(folder);
    if (at == std::string_view::npos || at == 0) return std::nullopt;
    const std::string_view name = path.substr(at + folder.size());
    if (name.find('/') != std::string_view::npos) return std::nullopt;
    if (kind == TPackageFile::Kind::Screenshot) {
      if (name.empty() || name.find('.') != std::string_view::npos) return std::nullopt;
      return TPackageFile{std::string(path.substr(0, at)), kind, {}};
    }
    const std::optional<QSize> size = SizeOfName(name);
    if (!size) return std::nullopt;
    return TPackageFile{std::string(path.substr(0, at)), kind, *size};
  };
  if (auto image = inFolder(kImages, TPackageFile::Kind::Image)) return image;
  if (auto dark = inFolder(kDarkImages, TPackageFile::Kind::DarkImage)) return dark;
  return inFolder(kScreenshot, TPackageFile::Kind::Screenshot);
}

std::size_t ChooseSize(const std::vector<QSize>& sizes, QSize screen) {
  constexpr double kSameProportions = 1e-9;
  std::optional<std::size_t> covering;
  std::size_t largest = 0;
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    const QSize size = sizes[i];
    if (Area(size) > Area(sizes[largest])) largest = i;
    if (screen.isEmpty() || size.width() < screen.width() || size.height() < screen.height()) continue;
    if (!covering) {
      covering = i;
      continue;
    }
    const double distance = ProportionDistance(size, screen);
    const double best = ProportionDistance(sizes[*covering], screen);
    if (distance < best - kSameProportions ||
        (distance <= best + kSameProportions && Area(size) < Area(sizes[*covering])))
      covering = i;
  }
  return covering.value_or(largest);
}
