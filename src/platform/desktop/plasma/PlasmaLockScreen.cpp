#include "platform/desktop/plasma/PlasmaLockScreen.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include "platform/desktop/DesktopBackend.h"

namespace {

const char kName[] = "the KDE Plasma lock screen";
constexpr int kToolMs = 5000;


// The newer of Plasma's two tools of that name that is installed; empty without either.
QString Tool(const QString& name) {
  for (const QString& version : {QStringLiteral("6"), QStringLiteral("5")}) {
    const QString path = QStandardPaths::findExecutable(name + version);
    if (!path.isEmpty()) return path;
  }
  return {};
}

// The tool's standard output; throws when it cannot run or fails.
QString Run(const QString& tool, const QStringList& arguments) {
  QProcess process;
  process.start(tool, arguments);
  if (!process.waitForFinished(kToolMs) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
    process.kill();
    ThrowBackendError(kName, DesktopFailure::Refused,
                      tool.toStdString() + " failed: " + process.readAllStandardError().trimmed().toStdString());
  }
  return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

std::vector<QStringList> LockScreenWrites(const QString& url) {
  return {{"--file", "kscreenlockerrc", "--group", "Greeter", "--key", "WallpaperPlugin", "org.kde.image"},
          {"--file", "kscreenlockerrc", "--group", "Greeter", "--group", "Wallpaper", "--group", "org.kde.image",
           "--group", "General", "--key", "Image", url}};
}

void TPlasmaLockScreen::Show(const std::string& file) {
  const QString writer = Tool("kwriteconfig");
  if (writer.isEmpty())
    ThrowBackendError(kName, DesktopFailure::Unreachable, "neither kwriteconfig6 nor kwriteconfig5 is installed");
  const QString url = QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(file))).toString(QUrl::FullyEncoded);
  const QString reader = Tool("kreadconfig");
  for (const QStringList& write : LockScreenWrites(url)) {
    // The read takes the same arguments without the value.
    if (!reader.isEmpty() && Run(reader, write.mid(0, write.size() - 1)).trimmed() == write.last()) continue;
    Run(writer, write);
  }
}
