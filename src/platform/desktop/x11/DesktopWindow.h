// A window of type _NET_WM_WINDOW_TYPE_DESKTOP: a desktop that a program (a file manager
// such as pcmanfm or pcmanfm-qt, xfdesktop, ...) draws as a window of its own above the X
// root. Where such a window covers a monitor, nothing drawn on the root shows there; a small
// one (a desktop widget) hides only its own corner, and a see-through one (nemo-desktop's
// icons over Cinnamon's background) none.
#pragma once

#include <QRect>
#include <QSize>
#include <optional>
#include <string>
#include <vector>

struct TDesktopWindow {
  unsigned long id = 0;
  // Its WM_CLASS instance name, else its process's name (_NET_WM_PID), else its title.
  std::string program;
  QRect rect;  // on the root, in device pixels
  // A window with an alpha channel (32 bits deep) while a compositing manager runs, which
  // lets the root show through where it draws nothing.
  bool seeThrough = false;
  bool operator==(const TDesktopWindow&) const = default;
};

// A monitor and the first window of windows that covers the whole of it.
struct TCoveredMonitor {
  TDesktopWindow window;
  QRect monitor;
};

// The first monitor (clipped to the root; no monitor inside the root counts as one covering
// it) that one of windows that are not see-through covers whole, with the first such window;
// nullopt when every monitor shows at least part of the root.
std::optional<TCoveredMonitor> FirstCoveredMonitor(const std::vector<TDesktopWindow>& windows, QSize root,
                                                   const std::vector<QRect>& monitors);

// "pcmanfm-qt draws its own desktop over the 1920 x 1080 monitor at 0, 0".
std::string CoveredMonitorText(const TCoveredMonitor& covered);
