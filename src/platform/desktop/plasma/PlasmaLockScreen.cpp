#include "platform/desktop/plasma/PlasmaLockScreen.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include "platform/desktop/DesktopBackend.h"

namespace {

const char kName[] = "the KDE Plasma lock screen";
constexpr int kToolMs = 5000;

// The newest of Plasma's tools of that name on PATH; empty without any.
QString Tool(const QString& name) {
  for (const char* version : {"6", "5"})
    if (const QString path = QStandardPaths::findExecutable(name + version); !path.isEmpty()) return path;
  return {};
}

// The tool's standard output; throws when it cannot run or fails.
QString Run(const QString& tool, const QStringList& arguments) {
  QProcess process;
  process.start(tool, arguments);
  const bool ended = process.waitForFinished(kToolMs);
  if (!ended) process.kill();
  if (!ended || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
    const QString why = ended ? QString::fromLocal8Bit(process.readAllStandardError()).trimmed()
                              : QStringLiteral("it did not end within %1 seconds").arg(kToolMs / 1000);
    ThrowBackendError(
        kName, DesktopFailure::Refused,
        QFileInfo(tool).fileName().toStdString() + " failed" + (why.isEmpty() ? "" : ": " + why.toStdString()));
  }
  return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

std::vector<QStringList> LockScreenWrites(const QString& url) {
  const QStringList file{"--file", "kscreenlockerrc", "--group", "Greeter"};
  return {file + QStringList{"--key", "WallpaperPlugin", "org.kde.image"},
          file + QStringList{"--group", "Wallpaper", "--group", "org.kde.image", "--group", "General", "--key", "Image",
                             url}};
}

void ShowOnPlasmaLockScreen(const std::string& file) {
  const QString writer = Tool("kwriteconfig");
  if (writer.isEmpty())
    ThrowBackendError(kName, DesktopFailure::Unreachable, "neither kwriteconfig6 nor kwriteconfig5 is installed");
  const QString reader = Tool("kreadconfig");
  const QString url = QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(file))).toString();
  for (const QStringList& write : LockScreenWrites(url)) {
    if (!reader.isEmpty() && Run(reader, write.mid(0, write.size() - 1)).trimmed() == write.last()) continue;
    Run(writer, write);
  }
}
