// Applying the wallpaper from the window: Apply, and the monitors' changes the screens report.
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QTreeView>

#include "window/Tessel.h"

void TTesselForm1::ApplyClick(QObject*) {
  {
    const auto busy = BusySection(BusyCounter);
    UpdtBackground();
  }
  ListView1->setFocus();
  ScrollIntoView(List.FirstSelected());
}

// Adding or removing a monitor arrives as a burst of signals (a screen added, the primary
// changed, another removed); one redraw follows the whole burst. A monitor that moves counts
// too: the X root draws the wallpaper at each monitor's place.
void TTesselForm1::WatchDisplayChanges() {
  auto* pending = new QTimer(this);
  pending->setSingleShot(true);
  pending->setInterval(0);
  connect(pending, &QTimer::timeout, this, [this] { AgentRun->DisplayChanged(); });
  const auto watch = [pending](QScreen* screen) {
    connect(screen, &QScreen::geometryChanged, pending, qOverload<>(&QTimer::start));
  };
  for (QScreen* screen : QGuiApplication::screens()) watch(screen);
  connect(qApp, &QGuiApplication::screenAdded, this, [watch, pending](QScreen* screen) {
    watch(screen);
    pending->start();
  });
  connect(qApp, &QGuiApplication::screenRemoved, pending, qOverload<>(&QTimer::start));
  connect(qApp, &QGuiApplication::primaryScreenChanged, pending, qOverload<>(&QTimer::start));
}
