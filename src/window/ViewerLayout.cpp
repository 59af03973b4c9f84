#include "window/ViewerLayout.h"

#include <algorithm>

namespace {

constexpr int kMinClientWidth = 160;
// Narrower pictures take the minimum width, so the Close button always fits.
constexpr int kWidePicture = 150;
constexpr int kSideMargin = 10;
constexpr int kButtonRows = 30;
constexpr int kPaintBoxTop = 24;
constexpr int kHalfCloseWidth = 32;

}  // namespace

ViewerGeometry ViewerLayout(QSize picture, QSize frameExtra, QSize screen) {
  const QSize size = picture.expandedTo(QSize(0, 0));
  ViewerGeometry geometry;
  geometry.client =
      QSize(size.width() >= kWidePicture ? size.width() + kSideMargin : kMinClientWidth, size.height() + kButtonRows);
  geometry.closeLeft = geometry.client.width() / 2 - kHalfCloseWidth;
  geometry.paintBox = QRect(QPoint(0, kPaintBoxTop), size);
  const QSize outer = geometry.client + frameExtra.expandedTo(QSize(0, 0));
  geometry.window = QPoint(std::max(screen.width() / 2 - outer.width() / 2, 0),
                           std::max(screen.height() / 2 - outer.height() / 2, 0));
  return geometry;
}
