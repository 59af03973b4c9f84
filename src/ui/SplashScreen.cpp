#include "ui/SplashScreen.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

TSplashScreen::TSplashScreen() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setObjectName("SplashScreen");
  setFixedSize(320, 120);
  auto* layout = new QVBoxLayout(this);
  auto* title = new QLabel("Tesserine v1.0", this);
  QFont font = title->font();
  font.setPointSize(font.pointSize() * 2);
  font.setBold(true);
  title->setFont(font);
  title->setAlignment(Qt::AlignCenter);
  layout->addWidget(title);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}
