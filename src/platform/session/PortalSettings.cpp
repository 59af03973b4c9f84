#include "platform/session/PortalSettings.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>

namespace {

const char kService[] = "org.freedesktop.portal.Desktop";
const char kPath[] = "/org/freedesktop/portal/desktop";
const char kInterface[] = "org.freedesktop.portal.Settings";
// The start never waits for it: this only bounds how long a call stays open.
constexpr int kAnswerMs = 2000;

}  // namespace

QVariant UnwrapPortalValue(const QVariant& value) {
  QVariant inner = value;
  while (inner.metaType() == QMetaType::fromType<QDBusVariant>()) inner = inner.value<QDBusVariant>().variant();
  return inner;
}

TPortalSettings::TPortalSettings(QDBusConnection bus, QObject* parent) : QObject(parent), bus_(std::move(bus)) {
  // The message itself, not its typed arguments: a slot taking a QDBusVariant is refused
  // before QtDBus has registered that type.
  bus_.connect(kService, kPath, kInterface, "SettingChanged", this, SLOT(OnSettingChanged(QDBusMessage)));
}

void TPortalSettings::Watch(const QString& group, const QString& key) {
  if (values_.count({group, key})) return;
  values_[{group, key}] = std::nullopt;
  Ask("ReadOne", group, key);
}

std::optional<QVariant> TPortalSettings::Value(const QString& group, const QString& key) const {
  const auto found = values_.find({group, key});
  return found == values_.end() ? std::nullopt : found->second;
}

void TPortalSettings::Ask(const QString& method, const QString& group, const QString& key) {
  QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
  call << group << key;
  auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call, kAnswerMs), this);
  ++openCalls_;
  connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, method, group, key] {
    watcher->deleteLater();
    --openCalls_;
    const QDBusPendingReply<QDBusVariant> reply = *watcher;
    if (reply.isError()) {
      // Portals before ReadOne have only Read.
      if (method == "ReadOne" && reply.error().type() == QDBusError::UnknownMethod) Ask("Read", group, key);
      return;
    }
    // A change that came first is newer than this answer.
    if (!Value(group, key)) Store(group, key, UnwrapPortalValue(reply.value().variant()));
  });
}

void TPortalSettings::OnSettingChanged(const QDBusMessage& message) {
  const QList<QVariant> arguments = message.arguments();
  if (arguments.size() != 3) return;
  const QString group = arguments[0].toString();
  const QString key = arguments[1].toString();
  if (values_.count({group, key})) Store(group, key, UnwrapPortalValue(arguments[2]));
}

void TPortalSettings::Store(const QString& group, const QString& key, const QVariant& value) {
  values_[{group, key}] = value;
  emit Changed(group, key, value);
}
