#include "platform/desktop/lxqt/LxqtBackend.h"

#include <QDBusVariant>
#include <QFileInfo>

#include "platform/desktop/DBusFailure.h"
#include "platform/desktop/LayoutCanvas.h"
#include "platform/session/BusConnection.h"
#include "platform/system/FileNameText.h"

namespace {

constexpr int kTimeoutMs = 5000;
const QString kService = QStringLiteral("org.pcmanfm.PCManFM");
const QString kPath = QStringLiteral("/Application");
const QString kInterface = QStringLiteral("org.pcmanfm.Application");

}  // namespace

QString SameFileAnotherName(const QString& file) {
  const QFileInfo info(file);
  return info.absolutePath() + "/./" + info.fileName();
}

QDBusMessage TLxqtBackend::Call(const QString& interface, const QString& method, const QVariantList& arguments) {
  QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, interface, method);
  call.setArguments(arguments);
  call.setAutoStartService(false);
  const QDBusMessage reply = bus_.call(call, QDBus::Block, kTimeoutMs);
  if (reply.type() != QDBusMessage::ReplyMessage)
    ThrowBackendError(Name(), DBusFailure(reply), method.toStdString() + ": " + reply.errorMessage().toStdString());
  return reply;
}

bool TLxqtBackend::DesktopRuns() {
  if (!bus_.isConnected() || !NameHasOwner(bus_, kService)) return false;
  const QDBusMessage reply =
      Call("org.freedesktop.DBus.Properties", "Get", {kInterface, QStringLiteral("desktopManagerEnabled")});
  return !reply.arguments().isEmpty() && reply.arguments().first().value<QDBusVariant>().variant().toBool();
}

void TLxqtBackend::Show(const WallpaperValues& values) {
  const QString mode = PcmanfmMode(values);
  const QString text = FileNameAsText(Name(), values.file);
  if (text.isEmpty()) {
    Call(kInterface, "setWallpaper", {QString(), mode});
    return;
  }
  const QString path = QFileInfo(text).absoluteFilePath();
  Call(kInterface, "setWallpaper", {SameFileAnotherName(path), mode});
  Call(kInterface, "setWallpaper", {path, mode});
}

void TLxqtBackend::ShowMonitors(const std::vector<MonitorWallpaper>& monitors) {
  if (monitors.empty()) {
    Show({});
    return;
  }
  Show({WriteLayoutCanvas(Name(), monitors), WallpaperLayout::Stretch});
}
