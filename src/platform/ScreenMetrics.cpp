#include "platform/ScreenMetrics.h"

#include <qpa/qplatformscreen.h>

#include <QGuiApplication>
#include <QScreen>

// QScreen reports logical units, rounded: at a scale of 1.5 a 2560 pixel wide monitor is 1707
// units wide, and 1707 x 1.5 is not 2560. The platform screen keeps the exact device size.
QSize TQtScreenMetrics::ScreenSize() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen && screen->handle() ? screen->handle()->geometry().size() : QSize(0, 0);
}

QSize TQtScreenMetrics::LogicalScreenSize() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->size() : QSize(0, 0);
}

unsigned TQtScreenMetrics::ScreenColorDepth() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? static_cast<unsigned>(screen->depth()) & 0xFFFFu : 0u;
}
