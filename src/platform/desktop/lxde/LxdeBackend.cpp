#include "platform/desktop/lxde/LxdeBackend.h"

#include <QFileInfo>
#include <stdexcept>

#include "platform/desktop/lxde/PcmanfmInstance.h"
#include "platform/desktop/x11/DesktopWindows.h"
#include "platform/system/DetachedProcess.h"
#include "platform/system/FileNameText.h"

namespace {

// A second pcmanfm that found the first hands over its arguments and ends within tens of
// milliseconds.
constexpr int kHandOverMs = 5000;
constexpr int kStopMs = 2000;

}  // namespace

TLxdeBackend::TLxdeBackend(std::unique_ptr<IDesktopBackend> fallback, QString program, QProcessEnvironment environment)
    : TWindowedDesktopBackend(std::move(fallback)),
      program_(std::move(program)),
      environment_(std::move(environment)) {}

bool TLxdeBackend::DesktopRuns() {
  desktops_.clear();
  for (TDesktopWindow& window : DesktopWindowsOn(environment_.value("DISPLAY").toStdString()))
    if (window.program == "pcmanfm") desktops_.push_back(std::move(window));
  return !desktops_.empty();
}

void TLxdeBackend::Run(const QStringList& arguments) {
  const QString socket = PcmanfmSocketPath(environment_);
  if (!SocketListening(socket))
    ThrowBackendError(Name(), DesktopFailure::Unreachable,
                      "pcmanfm draws the desktop, but nothing listens on its socket " + socket.toStdString());
  pid_t pid = 0;
  try {
    pid = StartDetached(program_, arguments, environment_);
  } catch (const std::runtime_error& error) {
    ThrowBackendError(Name(), DesktopFailure::NotStarted, error.what());
  }
  const std::optional<int> code = ExitWithin(pid, kHandOverMs);
  if (!code) {
    EndProcess(pid, kStopMs);
    ThrowBackendError(Name(), DesktopFailure::Unreachable,
                      "pcmanfm --set-wallpaper did not end within " + std::to_string(kHandOverMs / 1000) + " seconds");
  }
  if (*code != 0)
    ThrowBackendError(Name(), DesktopFailure::Refused,
                      "pcmanfm --set-wallpaper ended with exit code " + std::to_string(*code));
}

void TLxdeBackend::Show(const WallpaperValues& values) {
  const QStringList mode{"--wallpaper-mode", PcmanfmMode(values)};
  if (values.file.empty()) {
    Run(mode);
    return;
  }
  // The running pcmanfm reads a relative name from its own folder.
  Run(QStringList{"--set-wallpaper", QFileInfo(FileNameAsText(Name(), values.file)).absoluteFilePath()} + mode);
}

void TLxdeBackend::ShowMonitors(const std::vector<MonitorWallpaper>& monitors) {
  Show({FirstDesktopPicture(monitors, desktops_), WallpaperLayout::Stretch});
}
