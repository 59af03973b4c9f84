// RandR monitors set with `xrandr --setmonitor` on the Xvfb of $DISPLAY for the life of the
// object. The first one takes over Xvfb's only output, "screen": otherwise the server keeps
// its own monitor over the whole root beside them. The destructor deletes them, which gives
// the server its own monitor back, so later tests see the usual single screen.
#pragma once

#include <QProcess>
#include <QRect>
#include <QString>
#include <vector>

class TXrandrMonitors {
 public:
  // primary is the index of the monitor that becomes the primary one.
  explicit TXrandrMonitors(const std::vector<QRect>& monitors, std::size_t primary = 0) {
    for (std::size_t i = 0; i < monitors.size(); ++i) {
      const QRect& m = monitors[i];
      const QString name = "tesserine" + QString::number(i);
      // Millimetre sizes only need to be plausible.
      const QString geometry = QString("%1/%2x%3/%4+%5+%6")
                                   .arg(m.width())
                                   .arg(m.width() / 4)
                                   .arg(m.height())
                                   .arg(m.height() / 4)
                                   .arg(m.x())
                                   .arg(m.y());
      const QString output = i == 0 ? "screen" : "none";
      ok_ =
          ok_ && QProcess::execute("xrandr", {"--setmonitor", (i == primary ? "*" : "") + name, geometry, output}) == 0;
      if (ok_) names_.push_back(name);
    }
  }
  ~TXrandrMonitors() {
    for (auto it = names_.rbegin(); it != names_.rend(); ++it) QProcess::execute("xrandr", {"--delmonitor", *it});
  }
  TXrandrMonitors(const TXrandrMonitors&) = delete;
  TXrandrMonitors& operator=(const TXrandrMonitors&) = delete;

  bool Ok() const { return ok_; }

 private:
  bool ok_ = true;
  std::vector<QString> names_;
};
