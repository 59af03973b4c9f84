#include "widgets/PaintBox.h"

#include <QMouseEvent>
#include <QPainter>

TPaintBox::TPaintBox(QWidget* parent) : QFrame(parent) {}

bool TPaintBox::event(QEvent* event) {
  // Without a tooltip of its own a widget passes the request on to its parent; the box
  // answers it itself so the parent's tooltip does not cover the picture.
  if (event->type() == QEvent::ToolTip && toolTip().isEmpty()) return true;
  return QFrame::event(event);
}

void TPaintBox::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  if (!OnPaint) return;
  QPainter painter(this);
  OnPaint(painter);
}

void TPaintBox::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  if (OnResize) OnResize();
}

void TPaintBox::mouseReleaseEvent(QMouseEvent* event) {
  if (!OnClick) {
    QFrame::mouseReleaseEvent(event);
    return;
  }
  // The release arrives here even outside the box, since the box grabbed the press.
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) OnClick();
}
