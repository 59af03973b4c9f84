#include "widgets/ProgramPicture.h"

#include <QFont>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

constexpr int kMosaicCells = 4;

// The mosaic's colours run from teal in the top-left corner through blue and violet to rose
// in the bottom-right one, so the tiles read as one picture rather than as noise.
QColor TileColor(int column, int row) {
  const int step = column + row;
  const int hue = (185 + step * 28) % 360;
  const int saturation = 150 + ((column * 3 + row * 5) % 4) * 25;
  const int value = 235 - ((column + 2 * row) % 3) * 30;
  return QColor::fromHsv(hue, saturation, value);
}

void DrawTile(QPainter& painter, const QRectF& cell, const QColor& color) {
  QLinearGradient shade(cell.topLeft(), cell.bottomRight());
  shade.setColorAt(0, color.lighter(130));
  shade.setColorAt(1, color.darker(140));
  painter.setPen(Qt::NoPen);
  painter.setBrush(shade);
  painter.drawRoundedRect(cell, 1.5, 1.5);
}

void DrawMosaic(QPainter& painter, const QRectF& area) {
  const double gap = 2;
  const double side = (area.width() - gap * (kMosaicCells - 1)) / kMosaicCells;
  for (int row = 0; row < kMosaicCells; ++row)
    for (int column = 0; column < kMosaicCells; ++column) {
      // One tile of the bottom-right corner is still missing, as if the mosaic were being laid.
      if (row == kMosaicCells - 1 && column == kMosaicCells - 1) continue;
      const QRectF cell(area.left() + column * (side + gap), area.top() + row * (side + gap), side, side);
      DrawTile(painter, cell, TileColor(column, row));
    }
  const QRectF loose(area.right() - side + 4, area.bottom() - side + 5, side, side);
  painter.save();
  painter.translate(loose.center());
  painter.rotate(14);
  DrawTile(painter, QRectF(-side / 2, -side / 2, side, side), TileColor(kMosaicCells - 1, kMosaicCells - 1));
  painter.restore();
}

// The largest pixel size at which text fits the width, so the name is whole with any font.
QFont FittingFont(const QString& text, QFont font, int largest, int width) {
  for (int size = largest; size > 8; --size) {
    font.setPixelSize(size);
    if (QFontMetrics(font).horizontalAdvance(text) <= width) return font;
  }
  font.setPixelSize(8);
  return font;
}

void DrawName(QPainter& painter, const QRect& area) {
  const QString name = "Tesserine";
  QFont font("Serif");
  font.setStyleHint(QFont::Serif);
  font.setBold(true);
  font = FittingFont(name, font, 36, area.width());
  const QFontMetrics metrics(font);
  const int baseline = area.top() + metrics.ascent();
  QPainterPath path;
  path.addText(area.left(), baseline, font, name);
  QLinearGradient metal(0, area.top(), 0, baseline);
  metal.setColorAt(0, QColor(255, 255, 255));
  metal.setColorAt(1, QColor(176, 190, 214));
  painter.setPen(Qt::NoPen);
  painter.setBrush(metal);
  painter.drawPath(path);

  const int underline = baseline + metrics.descent() / 2 + 2;
  QLinearGradient fade(area.left(), 0, area.right(), 0);
  fade.setColorAt(0, QColor(232, 170, 60));
  fade.setColorAt(1, QColor(232, 170, 60, 0));
  painter.fillRect(QRect(area.left(), underline, area.width(), 1), fade);

  QFont small("Sans Serif");
  small.setStyleHint(QFont::SansSerif);
  small.setPixelSize(10);
  small.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
  painter.setFont(small);
  painter.setPen(QColor(150, 162, 186));
  painter.drawText(QPoint(area.left() + 1, underline + 4 + QFontMetrics(small).ascent()), "WALLPAPER CHANGER");
}

QImage TransparentCanvas(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

void DrawAboutGlyph(QPainter& painter) {
  painter.setPen(QPen(QColor(0, 40, 110), 1));
  painter.setBrush(QColor(30, 100, 210));
  painter.drawEllipse(QRectF(0.5, 0.5, 15, 15));
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::white);
  painter.drawEllipse(QRectF(6.5, 2.5, 3, 3));
  painter.drawRect(QRectF(6.5, 6.5, 3, 7));
}

void DrawClockGlyph(QPainter& painter) {
  painter.setPen(QPen(QColor(40, 40, 40), 1.2));
  painter.setBrush(QColor(255, 252, 235));
  painter.drawEllipse(QRectF(0.8, 0.8, 14.4, 14.4));
  const QPointF centre(8, 8);
  painter.setPen(QPen(QColor(120, 120, 120), 1));
  for (int hour = 0; hour < 12; hour += 3) {
    painter.save();
    painter.translate(centre);
    painter.rotate(hour * 30);
    painter.drawLine(QPointF(0, -6), QPointF(0, -4.8));
    painter.restore();
  }
  painter.setPen(QPen(Qt::black, 1.5, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(centre, QPointF(8, 3));
  painter.drawLine(centre, QPointF(11.5, 9.5));
  painter.setPen(QPen(QColor(200, 30, 30), 1.5, Qt::SolidLine, Qt::RoundCap));
  painter.drawPoint(centre);
}

}  // namespace

QImage DrawProgramPicture() {
  QImage image(kProgramPictureWidth, kProgramPictureHeight, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  // A night-blue glow behind the mosaic that is black at the right edge, where the About
  // page's black banner goes on.
  QRadialGradient night(QPointF(40, 20), kProgramPictureWidth - 40);
  night.setColorAt(0, QColor(28, 38, 72));
  night.setColorAt(1, QColor(0, 0, 0));
  painter.fillRect(image.rect(), night);
  DrawMosaic(painter, QRectF(9, 9, 50, 50));
  DrawName(painter, QRect(76, 7, kProgramPictureWidth - 76 - 8, 56));
  return image;
}

QImage DrawTabGlyph(int index) {
  QImage image = TransparentCanvas(kTabGlyphSize, kTabGlyphSize);
  if (index < 0 || index >= kTabGlyphCount) return image;
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  if (index == 0)
    DrawAboutGlyph(painter);
  else
    DrawClockGlyph(painter);
  return image;
}

QImage DrawBottomStrip(int width) {
  if (width < 1) return {};
  QImage image = TransparentCanvas(width, kBottomStripHeight);
  QPainter painter(&image);
  // An etched rule that parts the pages from the buttons.
  painter.fillRect(QRect(0, 0, width, 1), QColor(0, 0, 0, 60));
  painter.fillRect(QRect(0, 1, width, 1), QColor(255, 255, 255, 150));
  // A faint echo of the program's mosaic in the free corner left of the buttons, fading out
  // towards them.
  constexpr int kSide = 7;
  constexpr int kPitch = 9;
  for (int row = 0; row < 4; ++row)
    for (int column = 0; column + row < 7; ++column) {
      QColor color = TileColor(column % kMosaicCells, row % kMosaicCells);
      color.setAlpha(70 - (column + row) * 9);
      painter.fillRect(QRect(8 + column * kPitch, 10 + row * kPitch, kSide, kSide), color);
    }
  return image;
}
