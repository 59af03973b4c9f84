#include "platform/desktop/xfce/XfceBackend.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QFile>

#include "platform/desktop/DBusFailure.h"
#include "platform/system/FileNameText.h"

namespace {

constexpr int kTimeoutMs = 5000;
const char kChannel[] = "xfce4-desktop";
const char kImageSuffix[] = "/last-image";

QDBusMessage XfconfCall(const char* method) {
  return QDBusMessage::createMethodCall("org.xfce.Xfconf", "/org/xfce/Xfconf", "org.xfce.Xfconf", method);
}

int ImageStyle(WallpaperLayout layout) {
  switch (layout) {
    case WallpaperLayout::Tile:
      return 2;
    case WallpaperLayout::Stretch:
      return 3;
    case WallpaperLayout::Center:
      break;
  }
  return 1;
}

QString StyleKeyOf(const QString& imageKey) {
  return imageKey.left(imageKey.size() - qsizetype(sizeof kImageSuffix - 1)) + "/image-style";
}

}  // namespace

QVariantMap TXfceBackend::Backdrops() {
  if (!bus_.isConnected()) ThrowBackendError(Name(), DesktopFailure::Unreachable, "no D-Bus session bus");
  QDBusMessage call = XfconfCall("GetAllProperties");
  call << QString(kChannel) << QString("/backdrop");
  const QDBusMessage reply = bus_.call(call, QDBus::Block, kTimeoutMs);
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
    ThrowBackendError(Name(), DBusFailure(reply), reply.errorMessage().toStdString());
  QVariantMap properties;
  const QVariant first = reply.arguments().first();
  if (first.userType() == qMetaTypeId<QDBusArgument>())
    first.value<QDBusArgument>() >> properties;
  else
    properties = first.toMap();
  return properties;
}

void TXfceBackend::SetProperty(const QString& property, const QVariant& value) {
  QDBusMessage call = XfconfCall("SetProperty");
  call << QString(kChannel) << property << QVariant::fromValue(QDBusVariant(value));
  const QDBusMessage reply = bus_.call(call, QDBus::Block, kTimeoutMs);
  if (reply.type() != QDBusMessage::ReplyMessage)
    ThrowBackendError(Name(), DBusFailure(reply), property.toStdString() + ": " + reply.errorMessage().toStdString());
}

void TXfceBackend::Apply(const WallpaperValues& values) {
  const QString file = FileNameAsText(Name(), values.file);
  const QVariantMap properties = Backdrops();
  bool found = false;
  for (auto it = properties.begin(); it != properties.end(); ++it) {
    if (!it.key().endsWith(kImageSuffix)) continue;
    found = true;
    SetProperty(StyleKeyOf(it.key()), ImageStyle(values.layout));
    // xfdesktop reloads only when the name changes, and the converted file keeps its name.
    if (!file.isEmpty() && it.value().toString() == file) SetProperty(it.key(), QString());
    SetProperty(it.key(), file);
  }
  if (!found)
    ThrowBackendError(Name(), DesktopFailure::Refused,
                      "the xfconf channel xfce4-desktop has no /backdrop/.../last-image property");
}

void TXfceBackend::ApplyMonitors(const std::vector<MonitorWallpaper>& monitors) {
  const QVariantMap properties = Backdrops();
  // Every workspace xfdesktop knows of, on any monitor; the first one when it knows none.
  QStringList workspaces;
  for (auto it = properties.begin(); it != properties.end(); ++it) {
    if (!it.key().endsWith(kImageSuffix)) continue;
    const QString workspace = it.key().section('/', -2, -2);
    if (workspace.startsWith("workspace") && !workspaces.contains(workspace)) workspaces << workspace;
  }
  if (workspaces.isEmpty()) workspaces << "workspace0";
  for (const MonitorWallpaper& monitor : monitors) {
    const QString file = FileNameAsText(Name(), monitor.file);
    for (const QString& workspace : workspaces) {
      const QString key =
          "/backdrop/screen0/monitor" + QString::fromStdString(monitor.output) + "/" + workspace + kImageSuffix;
      SetProperty(StyleKeyOf(key), ImageStyle(WallpaperLayout::Stretch));
      if (!file.isEmpty() && properties.value(key).toString() == file) SetProperty(key, QString());
      SetProperty(key, file);
    }
  }
}

std::optional<ShownWallpaper> TXfceBackend::Query() {
  try {
    const QVariantMap properties = Backdrops();
    for (auto it = properties.begin(); it != properties.end(); ++it) {
      if (!it.key().endsWith(kImageSuffix)) continue;
      ShownWallpaper shown;
      shown.file = QFile::encodeName(it.value().toString()).toStdString();
      shown.tiled = properties.value(StyleKeyOf(it.key())).toInt() == 2;
      return shown;
    }
  } catch (const TDesktopError&) {
  }
  return std::nullopt;
}
