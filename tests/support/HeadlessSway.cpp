#include "support/HeadlessSway.h"

#include <pwd.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QStandardPaths>

#include "support/WaitFor.h"

namespace {

constexpr int kStartMs = 20000;
constexpr int kToolMs = 10000;

const QFile::Permissions kShared = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                   QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;

QByteArray Run(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment) {
  QProcess process;
  process.setProcessEnvironment(environment);
  process.start(program, arguments);
  if (!process.waitForFinished(kToolMs) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
    process.kill();
    process.waitForFinished();
    return {};
  }
  return process.readAllStandardOutput();
}

QString FirstEntry(const QString& folder, const QString& pattern) {
  const QStringList found = QDir(folder).entryList({pattern}, QDir::System | QDir::Files);
  for (const QString& name : found)
    if (!name.endsWith(".lock")) return name;
  return {};
}

}  // namespace

THeadlessSway::THeadlessSway(const HeadlessSwayOptions& options) {
  if (!Start(options) && sway_.state() != QProcess::NotRunning) {
    sway_.kill();
    sway_.waitForFinished();
  }
}

THeadlessSway::~THeadlessSway() {
  if (sway_.state() == QProcess::NotRunning) return;
  sway_.terminate();
  if (!sway_.waitForFinished(kToolMs)) {
    sway_.kill();
    sway_.waitForFinished();
  }
}

bool THeadlessSway::Start(const HeadlessSwayOptions& options) {
  for (const char* tool : {"sway", "swaymsg", "grim"}) {
    if (QStandardPaths::findExecutable(tool).isEmpty()) {
      startError_ = QString("%1 is not installed (scripts/install-deps.sh installs it)").arg(tool);
      return false;
    }
  }
  const QString runtime = dir_.filePath("runtime");
  QDir().mkpath(runtime);
  QDir().mkpath(SharedDir());
  QFile::setPermissions(dir_.path(), kShared);
  QFile::setPermissions(SharedDir(), kShared);

  QStringList config{"xwayland disable",
                     QString("output * mode %1x%2").arg(options.size.width()).arg(options.size.height())};
  config << (options.ownBackground ? "output * bg #202020 solid_color" : "swaybg_command -");
  config << options.extraConfig;
  QFile file(dir_.filePath("config"));
  if (!file.open(QIODevice::WriteOnly) || file.write(config.join('\n').toUtf8() + '\n') < 0) {
    startError_ = "cannot write sway's configuration";
    return false;
  }
  file.close();
  QFile::setPermissions(file.fileName(), kShared & ~(QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther));

  QString program = "sway";
  QStringList arguments{"-c", file.fileName()};
  if (geteuid() == 0) {
    const passwd* nobody = getpwnam("nobody");
    if (!nobody || QStandardPaths::findExecutable("setpriv").isEmpty()) {
      startError_ = "sway refuses to run as root, and there is no user nobody or no setpriv to run it as";
      return false;
    }
    if (chown(QFile::encodeName(runtime).constData(), nobody->pw_uid, nobody->pw_gid) != 0) {
      startError_ = "cannot give sway's runtime folder to nobody";
      return false;
    }
    arguments = QStringList{QString("--reuid=%1").arg(nobody->pw_uid), QString("--regid=%1").arg(nobody->pw_gid),
                            "--clear-groups", "sway"} +
                arguments;
    program = "setpriv";
  }
  QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "SWAYSOCK", "DBUS_SESSION_BUS_ADDRESS"})
    environment.remove(name);
  environment.insert("XDG_RUNTIME_DIR", runtime);
  environment.insert("HOME", dir_.path());
  environment.insert("WLR_BACKENDS", "headless");
  environment.insert("WLR_HEADLESS_OUTPUTS", QString::number(options.outputs));
  environment.insert("WLR_LIBINPUT_NO_DEVICES", "1");
  environment.insert("WLR_RENDERER", "pixman");
  sway_.setProcessEnvironment(environment);
  sway_.setProcessChannelMode(QProcess::MergedChannels);
  sway_.setStandardOutputFile(dir_.filePath("sway.log"));
  sway_.start(program, arguments);
  if (!sway_.waitForStarted()) {
    startError_ = "sway cannot be started: " + sway_.errorString();
    return false;
  }

  const bool ready = WaitFor(
      [&] {
        if (sway_.state() == QProcess::NotRunning) return true;
        const QString socket = FirstEntry(runtime, "sway-ipc.*.sock");
        const QString display = FirstEntry(runtime, "wayland-*");
        if (socket.isEmpty() || display.isEmpty()) return false;
        socket_ = runtime + "/" + socket;
        waylandDisplay_ = display;
        return Outputs().size() == static_cast<size_t>(options.outputs);
      },
      kStartMs);
  if (!ready || sway_.state() == QProcess::NotRunning) {
    startError_ = "headless sway did not come up: " + Log();
    return false;
  }
  return true;
}

QString THeadlessSway::Log() const {
  QFile log(dir_.filePath("sway.log"));
  if (!log.open(QIODevice::ReadOnly)) return "no log";
  const QByteArray text = log.readAll();
  return QString::fromLocal8Bit(text.right(600));
}

QProcessEnvironment THeadlessSway::ClientEnvironment() const {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "QT_QPA_PLATFORM", "DBUS_SESSION_BUS_ADDRESS", "XDG_CURRENT_DESKTOP"})
    environment.remove(name);
  environment.insert("XDG_RUNTIME_DIR", dir_.filePath("runtime"));
  environment.insert("WAYLAND_DISPLAY", waylandDisplay_);
  environment.insert("SWAYSOCK", socket_);
  return environment;
}

QJsonDocument THeadlessSway::Query(const QString& type) const {
  return QJsonDocument::fromJson(Run("swaymsg", {"-s", socket_, "-r", "-t", type}, ClientEnvironment()));
}

std::vector<SwayOutput> THeadlessSway::Outputs() const {
  std::vector<SwayOutput> outputs;
  for (const QJsonValue& value : Query("get_outputs").array()) {
    const QJsonObject output = value.toObject();
    const QJsonObject rect = output.value("rect").toObject();
    if (!output.value("active").toBool()) continue;
    outputs.push_back(
        {output.value("name").toString(), QRect(rect.value("x").toInt(), rect.value("y").toInt(),
                                                rect.value("width").toInt(), rect.value("height").toInt())});
  }
  return outputs;
}

QImage THeadlessSway::Screenshot() const {
  return QImage::fromData(Run("grim", {"-t", "ppm", "-"}, ClientEnvironment()));
}

int THeadlessSway::SwaybgCount() const { return static_cast<int>(ProcessesOf("swaybg").size()); }

std::vector<pid_t> THeadlessSway::ProcessesOf(const QByteArray& comm) const {
  const QByteArray runtime = "XDG_RUNTIME_DIR=" + dir_.filePath("runtime").toUtf8();
  std::vector<pid_t> pids;
  for (const QString& entry : QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    QFile stat("/proc/" + entry + "/stat");
    QFile environ("/proc/" + entry + "/environ");
    if (!stat.open(QIODevice::ReadOnly) || !environ.open(QIODevice::ReadOnly)) continue;
    const QByteArray text = stat.readAll();
    if (!text.contains("(" + comm + ") ") || text.contains("(" + comm + ") Z")) continue;
    if (environ.readAll().split('\0').contains(runtime)) pids.push_back(entry.toInt());
  }
  return pids;
}
