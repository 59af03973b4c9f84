#include "platform/desktop/lxde/PcmanfmInstance.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <algorithm>

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

bool SocketListening(const QString& path) {
  // "Num RefCount Protocol Flags Type St Inode Path": flags 00010000 (__SO_ACCEPTCON) mark a
  // listening socket, and the path is the rest of the line.
  QFile table("/proc/net/unix");
  if (!table.open(QIODevice::ReadOnly)) return false;
  const QByteArray name = QFile::encodeName(path);
  for (const QByteArray& line : table.readAll().split('\n')) {
    qsizetype at = 0;
    QList<QByteArray> fields;
    while (fields.size() < 7 && at < line.size()) {
      while (at < line.size() && line[at] == ' ') ++at;
      const qsizetype end = line.indexOf(' ', at);
      if (end < 0) break;
      fields << line.mid(at, end - at);
      at = end + 1;
    }
    if (fields.size() == 7 && fields[3] == "00010000" && line.mid(at) == name) return true;
  }
  return false;
}
