#include "ui/PaintBox.h"

#include <QMouseEvent>
#include <QPainter>

TPaintBox::TPaintBox(QWidget* parent) : QWidget(parent) {}

bool TPaintBox::event(QEvent* event) {
  // Without a tooltip of its own a widget passes the request on to its parent; the box
  // answers it itself so the parent's tooltip does not cover the picture.
  if (event->type() == QEvent::ToolTip && toolTip().isEmpty()) return true;
  return QWidget::event(event);
}

void TPaintBox::paintEvent(QPaintEvent*) {
  if (!OnPaint) return;
  QPainter painter(this);
  OnPaint(painter);
}

void TPaintBox::mouseReleaseEvent(QMouseEvent* event) {
  // The release arrives here even outside the box, since the box grabbed the press.
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && OnClick) OnClick();
}
