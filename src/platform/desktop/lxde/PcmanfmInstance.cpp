#include "platform/desktop/lxde/PcmanfmInstance.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstring>

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

bool SocketListening(const QString& path, std::string& why) {
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

