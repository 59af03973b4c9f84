// A real file manager drawing the desktop as a window of its own on the test's X display
// (pcmanfm-qt --desktop for LXQt, pcmanfm --desktop for LXDE), with a home, configuration,
// cache and runtime folder of its own and the session bus it is given. The object ends it.
// Include after the Qt headers: Xlib's macros clash with Qt's names.
#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRect>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <vector>

#include "support/WaitFor.h"

// clang-format off
#include <X11/Xlib.h>
#include <X11/Xutil.h>
// clang-format on

class TFileManagerDesktop {
 public:
  TFileManagerDesktop(QString program, const QString& busAddress) : program_(std::move(program)) {
    environment_ = QProcessEnvironment::systemEnvironment();
    environment_.insert("DBUS_SESSION_BUS_ADDRESS", busAddress);
    for (const auto& [name, folder] :
         {std::pair{"HOME", ""}, std::pair{"XDG_CONFIG_HOME", "/config"}, std::pair{"XDG_CACHE_HOME", "/cache"},
          std::pair{"XDG_RUNTIME_DIR", "/run"}, std::pair{"XDG_DATA_HOME", "/data"}}) {
      QDir().mkpath(dir_.path() + folder);
      environment_.insert(name, dir_.path() + folder);
    }
    QFile::setPermissions(dir_.path() + "/run",
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  }
  ~TFileManagerDesktop() { Stop(); }
  TFileManagerDesktop(const TFileManagerDesktop&) = delete;
  TFileManagerDesktop& operator=(const TFileManagerDesktop&) = delete;

  static bool Installed(const QString& program) { return !QStandardPaths::findExecutable(program).isEmpty(); }

  // The environment it runs in, for the backend or the program under test beside it.
  const QProcessEnvironment& Environment() const { return environment_; }
  QString Folder() const { return dir_.path(); }

  // Starts it with arguments ("--desktop" draws the desktop, "--daemon-mode" only runs).
  bool Start(const QStringList& arguments) {
    process_.setProcessEnvironment(environment_);
    process_.setWorkingDirectory(dir_.path());
    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.setStandardOutputFile(dir_.filePath(program_ + ".log"));
    process_.start(program_, arguments);
    return process_.waitForStarted(10000);
  }

  // Starts it drawing the desktop; true once it shows a window at each of places (none: one
  // over the whole root). pcmanfm makes one per monitor, pcmanfm-qt one across them all.
  bool StartDesktop(const std::vector<QRect>& places = {}) {
    if (!Start({"--desktop"})) return false;
    Display* display = XOpenDisplay(nullptr);
    if (!display) return false;
    std::vector<QRect> wanted = places;
    if (wanted.empty()) wanted.push_back(QRect(0, 0, DisplayWidth(display, 0), DisplayHeight(display, 0)));
    const bool shown = WaitFor(
        [&] {
          const std::vector<QRect> windows = Windows(display);
          for (const QRect& place : wanted)
            if (std::find(windows.begin(), windows.end(), place) == windows.end()) return false;
          return true;
        },
        20000);
    XCloseDisplay(display);
    return shown;
  }

  // Where its mapped top-level windows are now.
  std::vector<QRect> ProgramWindows() const {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return {};
    std::vector<QRect> windows = Windows(display);
    XCloseDisplay(display);
    return windows;
  }

  void Stop() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.terminate();
    if (!process_.waitForFinished(10000)) process_.kill();
    process_.waitForFinished();
  }

  QByteArray Log() const {
    QFile log(dir_.filePath(program_ + ".log"));
    return log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
  }

 private:
  // Where the mapped top-level windows of this program (its WM_CLASS instance name) are.
  std::vector<QRect> Windows(Display* display) const {
    Window rootReturn = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    std::vector<QRect> places;
    if (!XQueryTree(display, DefaultRootWindow(display), &rootReturn, &parent, &children, &count)) return places;
    for (unsigned i = 0; i < count; ++i) {
      XWindowAttributes attributes{};
      XClassHint hint{};
      if (!XGetWindowAttributes(display, children[i], &attributes) || attributes.map_state != IsViewable) continue;
      if (!XGetClassHint(display, children[i], &hint)) continue;
      if (hint.res_name && program_ == hint.res_name)
        places.emplace_back(attributes.x, attributes.y, attributes.width, attributes.height);
      if (hint.res_name) XFree(hint.res_name);
      if (hint.res_class) XFree(hint.res_class);
    }
    if (children) XFree(children);
    return places;
  }

  QString program_;
  QTemporaryDir dir_;
  QProcessEnvironment environment_;
  QProcess process_;
};
