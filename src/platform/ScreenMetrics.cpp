#include "platform/ScreenMetrics.h"

#include <QGuiApplication>
#include <QScreen>

QSize TQtScreenMetrics::ScreenSize() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->size() : QSize(0, 0);
}

unsigned TQtScreenMetrics::ScreenColorDepth() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? static_cast<unsigned>(screen->depth()) & 0xFFFFu : 0u;
}
