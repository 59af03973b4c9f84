#include "window/SplashScreen.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPalette>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include "widgets/DesignedControls.h"
#include "widgets/ProgramPicture.h"

namespace {

constexpr int kClientWidth = 262;
constexpr int kClientHeight = 71;
// How long the start-up waits at most for the display to map the window; without a window
// manager or on a slow display it goes on regardless and the window paints when it can.
constexpr int kExposeWaitMs = 500;

}  // namespace

TSplashScreen::TSplashScreen()
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName("SplashScreen");
  QPalette silver = palette();
  silver.setColor(QPalette::Window, QColor(192, 192, 192));
  setPalette(silver);
  setAutoFillBackground(true);
  setFixedSize(kClientWidth, kClientHeight);

  Image1 = MakeControl<QLabel>(this, "Image1", 0, 0, kProgramPictureWidth, kProgramPictureHeight);
  Image1->setPixmap(QPixmap::fromImage(DrawProgramPicture()));

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
  }
}

void TSplashScreen::ShowAndPaint() {
  show();
  // The window paints on its first expose; until the display has mapped it a repaint would
  // draw nothing anyone can see. The timer bounds the wait and wakes the loop when it ends.
  QTimer limit;
  limit.setSingleShot(true);
  limit.start(kExposeWaitMs);
  while (!(windowHandle() && windowHandle()->isExposed()) && limit.isActive())
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::ExcludeUserInputEvents);
  repaint();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
