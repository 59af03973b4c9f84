#include "support/PrivateBus.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <csignal>

namespace {

// A session bus whose socket every user may open and that lets every user in.
QByteArray OpenConfig(const QString& socket) {
  return "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
         " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
         "<busconfig><type>session</type><listen>unix:path=" +
         socket.toUtf8() +
         "</listen><auth>EXTERNAL</auth>"
         "<policy context=\"default\"><allow user=\"*\"/><allow send_destination=\"*\" eavesdrop=\"true\"/>"
         "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>\n";
}

}  // namespace

TPrivateBus::TPrivateBus(bool anyUser, const QProcessEnvironment& environment) {
  QStringList arguments{"--nofork", "--nopidfile", "--print-address=1"};
  if (anyUser) {
    QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther |
                                           QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup);
    QFile config(dir_.filePath("bus.conf"));
    if (!config.open(QIODevice::WriteOnly)) return;
    config.write(OpenConfig(dir_.filePath("bus")));
    config.close();
    arguments.prepend("--config-file=" + config.fileName());
  } else {
    arguments.prepend("--session");
  }
  daemon_.setProcessEnvironment(environment);
  daemon_.start("dbus-daemon", arguments);
  if (!daemon_.waitForStarted() || !daemon_.waitForReadyRead(10000)) return;
  address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
}

TPrivateBus::~TPrivateBus() {
  if (daemon_.state() != QProcess::NotRunning) {
    daemon_.terminate();
    if (!daemon_.waitForFinished(5000)) daemon_.kill();
    daemon_.waitForFinished();
  }
  if (address_.isEmpty()) return;
  // Services the bus started on demand (a desktop's helpers) outlive it: they go too.
  const QByteArray variable = "DBUS_SESSION_BUS_ADDRESS=" + address_.toUtf8();
  for (const QString& entry : QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    bool number = false;
    const pid_t pid = entry.toInt(&number);
    if (!number || pid == getpid()) continue;
    QFile environ("/proc/" + entry + "/environ");
    if (environ.open(QIODevice::ReadOnly) && environ.readAll().split('\0').contains(variable)) kill(pid, SIGTERM);
  }
}
