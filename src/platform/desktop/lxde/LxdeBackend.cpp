#include "platform/desktop/lxde/LxdeBackend.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "platform/desktop/x11/DesktopWindows.h"
#include "platform/system/DetachedProcess.h"
#include "platform/system/FileNameText.h"

namespace {

// A second pcmanfm that found the first hands over its arguments and ends within tens of
// milliseconds.
constexpr int kHandOverMs = 5000;
constexpr int kStopMs = 2000;

// Whether a program listens on the socket: a connection that is taken, or one that waits
// for a full queue; anything else (no socket, nobody listening) is no.
bool Listening(const QString& path, std::string& why) {
  const QByteArray name = QFile::encodeName(path);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (static_cast<size_t>(name.size()) >= sizeof address.sun_path) {
    why = "the path is too long";
    return false;
  }
  std::memcpy(address.sun_path, name.constData(), static_cast<size_t>(name.size()) + 1);
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) {
    why = std::strerror(errno);
    return false;
  }
  const bool listening =
      connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 || errno == EAGAIN;
  if (!listening) why = std::strerror(errno);
  close(fd);
  return listening;
}

}  // namespace

QString PcmanfmSocketPath(const QProcessEnvironment& environment) {
  QString folder = environment.value("XDG_RUNTIME_DIR");
  if (folder.isEmpty()) folder = environment.value("XDG_CACHE_HOME");
  if (folder.isEmpty()) folder = environment.value("HOME", QDir::homePath()) + "/.cache";
  const QString display = environment.value("DISPLAY");
  const qsizetype colon = display.lastIndexOf(':');
  const QString host = colon < 0 ? QString() : display.left(colon);
  // The number as atoi reads it: the digits after the colon, "0" for none.
  int number = 0;
  for (qsizetype i = colon + 1; colon >= 0 && i < display.size() && display[i].isDigit(); ++i)
    number = number * 10 + display[i].digitValue();
  return folder + "/pcmanfm-socket-" + host + "-" + QString::number(number);
}

std::string FirstDesktopPicture(const std::vector<MonitorWallpaper>& monitors,
                                const std::vector<TDesktopWindow>& desktops) {
  if (monitors.empty()) return {};
  const auto first = std::min_element(desktops.begin(), desktops.end(),
                                      [](const TDesktopWindow& a, const TDesktopWindow& b) { return a.id < b.id; });
  if (first != desktops.end())
    for (const MonitorWallpaper& monitor : monitors)
      if (monitor.rect == first->rect) return monitor.file;
  return monitors.front().file;
}

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
  if (std::string why; !Listening(socket, why))
    ThrowBackendError(
        Name(), DesktopFailure::Unreachable,
        "pcmanfm draws the desktop, but nothing answers on its socket " + socket.toStdString() + ": " + why);
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
  Run(values.file.empty() ? mode : QStringList{"--set-wallpaper", FileNameAsText(Name(), values.file)} + mode);
}

void TLxdeBackend::ShowMonitors(const std::vector<MonitorWallpaper>& monitors) {
  Show({FirstDesktopPicture(monitors, desktops_), WallpaperLayout::Stretch});
}
