// RandR monitors set with `xrandr --setmonitor` on the Xvfb of $DISPLAY for the life of the
// object. The first one of a set takes over Xvfb's only output, "screen", unless told
// otherwise: while no monitor holds it, the server keeps its own monitor over the whole root.
// The destructor deletes them; with the output free again the server's own monitor comes
// back, so later tests see the usual single screen.
#pragma once

#include <QProcess>
#include <QRect>
#include <QString>
#include <vector>

class TXrandrMonitors {
 public:
  // primary is the index of the monitor that becomes the primary one (none when out of range);
  // firstOutput is "none" for monitors added beside a set that holds the output.
  explicit TXrandrMonitors(const std::vector<QRect>& monitors, std::size_t primary = 0,
                           const QString& firstOutput = "screen") {
    static int made = 0;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
      const QRect& m = monitors[i];
      const QString name = "tesserine" + QString::number(made++);
      // Millimetre sizes only need to be plausible.
      const QString geometry = QString("%1/%2x%3/%4+%5+%6")
                                   .arg(m.width())
                                   .arg(m.width() / 4)
                                   .arg(m.height())
                                   .arg(m.height() / 4)
                                   .arg(m.x())
                                   .arg(m.y());
      const QString output = i == 0 ? firstOutput : "none";
      ok_ =
          ok_ && QProcess::execute("xrandr", {"--setmonitor", (i == primary ? "*" : "") + name, geometry, output}) == 0;
      if (ok_) names_.push_back(name);
    }
  }
  ~TXrandrMonitors() {
    for (auto it = names_.rbegin(); it != names_.rend(); ++it) Xrandr({"--delmonitor", *it});
  }
  TXrandrMonitors(const TXrandrMonitors&) = delete;
  TXrandrMonitors& operator=(const TXrandrMonitors&) = delete;

  bool Ok() const { return ok_; }

 private:
  // xrandr chatters on stdout about the outputs it looks up.
  static bool Xrandr(const QStringList& arguments) {
    QProcess xrandr;
    xrandr.setStandardOutputFile(QProcess::nullDevice());
    xrandr.start("xrandr", arguments);
    return xrandr.waitForFinished(30000) && xrandr.exitStatus() == QProcess::NormalExit && xrandr.exitCode() == 0;
  }

  bool ok_ = true;
  std::vector<QString> names_;
};
