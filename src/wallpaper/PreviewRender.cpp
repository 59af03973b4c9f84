#include "wallpaper/PreviewRender.h"

#include <QBrush>
#include <QPainter>

#include "wallpaper/PreviewGeometry.h"

QImage RenderPreview(const QImage& source, const QImage& composed, DispObj method, QSize box, QSize screen) {
  if (box.isEmpty()) return {};
  QImage out(box, QImage::Format_RGB32);
  if (out.isNull()) return out;
  out.fill(PreviewTeal);

  const bool hasSource = source.width() >= 1 && source.height() >= 1;
  const QImage& picture = IsSpecial(method) ? composed : source;
  const PreviewPlan plan = PreviewLayout(hasSource ? picture.size() : QSize(), method, box, screen);
  if (plan.fill == PreviewFill::Teal) return out;

  QPainter painter(&out);
  painter.drawImage(plan.target, picture);
  if (plan.fill == PreviewFill::Tiled && (plan.columns > 1 || plan.rows > 1)) {
    // A texture brush anchored at (0, 0) repeats the first cell's pixels with period tw x th,
    // which is exactly every other cell receiving a copy of the first. A cell wider or
    // taller than the box repeats only outside it, so its visible part is enough.
    const QImage cell = out.copy(plan.Cell(0, 0) & out.rect());
    painter.fillRect(out.rect(), QBrush(cell));
  }
  return out;
}
