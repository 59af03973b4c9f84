#include "widgets/ProgramIcons.h"

#include <QPainter>
#include <QPolygonF>

namespace {

const QColor kFrame(0, 0, 0);
const QColor kSky(0, 128, 255);
const QColor kHill(0, 160, 0);
const QColor kSun(255, 255, 0);
const QColor kDesktop(0, 128, 128);
const QColor kFill(64, 64, 64);

enum Flip { NoFlip = 0, FlipX = 1, FlipY = 2 };

// A small landscape whose hill rises to the right and whose sun sits top left, so that a
// mirrored copy is plain to see.
void DrawMotif(QPainter& painter, const QRectF& cell, int flip, bool grey = false) {
  painter.save();
  painter.translate(cell.topLeft());
  painter.scale(cell.width() / 8.0, cell.height() / 8.0);
  if (flip & FlipX) {
    painter.translate(8, 0);
    painter.scale(-1, 1);
  }
  if (flip & FlipY) {
    painter.translate(0, 8);
    painter.scale(1, -1);
  }
  const auto tone = [grey](const QColor& color) {
    return grey ? QColor(qGray(color.rgb()), qGray(color.rgb()), qGray(color.rgb())) : color;
  };
  painter.fillRect(QRectF(0, 0, 8, 8), tone(kSky));
  painter.setPen(Qt::NoPen);
  painter.setBrush(tone(kHill));
  painter.drawPolygon(QPolygonF({QPointF(0, 8), QPointF(8, 8), QPointF(8, 3), QPointF(3, 6)}));
  painter.fillRect(QRectF(1, 1, 2, 2), tone(kSun));
  painter.restore();
}

void DrawFrame(QPainter& painter, const QRectF& r) {
  painter.fillRect(QRectF(r.left(), r.top(), r.width(), 1), kFrame);
  painter.fillRect(QRectF(r.left(), r.bottom() - 1, r.width(), 1), kFrame);
  painter.fillRect(QRectF(r.left(), r.top(), 1, r.height()), kFrame);
  painter.fillRect(QRectF(r.right() - 1, r.top(), 1, r.height()), kFrame);
}

void DrawGrid(QPainter& painter, const QRectF& area, int columns, int rows, bool mirrored) {
  const double w = area.width() / columns;
  const double h = area.height() / rows;
  for (int y = 0; y < rows; ++y)
    for (int x = 0; x < columns; ++x) {
      const int flip = mirrored ? ((x % 2) ? FlipX : NoFlip) | ((y % 2) ? FlipY : NoFlip) : NoFlip;
      DrawMotif(painter, QRectF(area.left() + x * w, area.top() + y * h, w, h), flip);
    }
}

void DrawBricks(QPainter& painter, const QRectF& area) {
  const double w = area.width() / 2;
  const double h = area.height() / 3;
  painter.save();
  painter.setClipRect(area);
  for (int y = 0; y < 3; ++y) {
    const double shift = (y % 2) ? -w / 2 : 0;
    for (int x = 0; x < 3; ++x)
      DrawMotif(painter, QRectF(area.left() + shift + x * w, area.top() + y * h, w, h), NoFlip);
  }
  painter.restore();
}

void DrawMethod(QPainter& painter, DispObj code) {
  const QRectF screen(1, 1, 14, 14);
  switch (code) {
    case DispObj::Tile:
      DrawGrid(painter, screen, 3, 3, false);
      break;
    case DispObj::Center:
      painter.fillRect(screen, kDesktop);
      DrawMotif(painter, QRectF(4, 4, 8, 8), NoFlip);
      break;
    case DispObj::Stretch:
      DrawMotif(painter, screen, NoFlip);
      break;
    case DispObj::MirrorTile:
      DrawGrid(painter, screen, 2, 2, true);
      break;
    case DispObj::BrickTile:
      DrawBricks(painter, screen);
      break;
    case DispObj::RatioStretch:
      painter.fillRect(screen, kFill);
      DrawMotif(painter, QRectF(1, 4, 14, 8), NoFlip);
      break;
    case DispObj::DoubleTile:
      DrawGrid(painter, screen, 2, 2, false);
      break;
    case DispObj::None:
      return;
  }
  DrawFrame(painter, QRectF(0, 0, 16, 16));
}

QImage Canvas(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

}  // namespace

QImage DrawDispMethodIcon(DispObj code, int size) {
  QImage image = Canvas(size);
  if (ToInt(code) < 0 || ToInt(code) >= DispObjCount) return image;
  QPainter painter(&image);
  painter.scale(size / 16.0, size / 16.0);
  DrawMethod(painter, code);
  return image;
}

QImage DrawTrayIcon(TrayState state) {
  QImage image = Canvas(16);
  QPainter painter(&image);
  const bool paused = state == TrayState::Paused;
  // A monitor on its stand.
  painter.fillRect(QRectF(0, 1, 16, 11), kFrame);
  DrawMotif(painter, QRectF(1, 2, 14, 9), NoFlip, paused);
  painter.fillRect(QRectF(6, 12, 4, 2), kFrame);
  painter.fillRect(QRectF(3, 14, 10, 2), kFrame);
  painter.setPen(Qt::NoPen);
  if (paused) {
    painter.fillRect(QRectF(9, 5, 6, 7), kFrame);
    painter.fillRect(QRectF(10, 6, 2, 5), QColor(255, 128, 0));
    painter.fillRect(QRectF(13, 6, 2, 5), QColor(255, 128, 0));
  } else {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(kFrame);
    painter.drawPolygon(QPolygonF({QPointF(8, 3), QPointF(16, 8), QPointF(8, 13)}));
    painter.setBrush(QColor(0, 255, 0));
    painter.drawPolygon(QPolygonF({QPointF(9, 5), QPointF(14, 8), QPointF(9, 11)}));
  }
  return image;
}

QImage DrawMarkIcon(int mark) {
  QImage image = Canvas(16);
  if (mark != 0 && mark != 1) return image;
  QPainter painter(&image);
  painter.fillRect(QRectF(2, 2, 12, 12), kFrame);
  painter.fillRect(QRectF(3, 3, 10, 10), Qt::white);
  if (mark == 1) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 128, 0), 2));
    painter.drawPolyline(QPolygonF({QPointF(4.5, 8), QPointF(7, 10.5), QPointF(11.5, 5)}));
  }
  return image;
}
