// The desktop portal's settings interface (org.freedesktop.portal.Settings) as a test serves
// it on a private bus: ReadOne, or for an old portal only Read, whose value comes wrapped in
// a second variant; a key it does not hold is NotFound. Set changes a value and sends
// SettingChanged as the portal does.
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QObject>
#include <QString>
#include <QVariant>
#include <map>
#include <utility>

class TStandInPortal final : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")
 public:
  // Serves on its own connection, named connectionName, to the bus at address.
  TStandInPortal(const QString& address, const QString& connectionName, bool readOne)
      : name_(connectionName), readOne_(readOne) {
    QDBusConnection bus = QDBusConnection::connectToBus(address, name_);
    served = bus.registerService("org.freedesktop.portal.Desktop") &&
             bus.registerObject("/org/freedesktop/portal/desktop", this, QDBusConnection::ExportAllSlots);
  }
  ~TStandInPortal() override { QDBusConnection::disconnectFromBus(name_); }
  TStandInPortal(const TStandInPortal&) = delete;
  TStandInPortal& operator=(const TStandInPortal&) = delete;

  // The value of group's key from now on, told as SettingChanged when signal is set.
  bool Set(const QString& group, const QString& key, const QVariant& value, bool signal = true) {
    values_[{group, key}] = value;
    if (!signal) return true;
    QDBusMessage changed = QDBusMessage::createSignal("/org/freedesktop/portal/desktop",
                                                      "org.freedesktop.portal.Settings", "SettingChanged");
    changed << group << key << QVariant::fromValue(QDBusVariant(value));
    return Bus().send(changed);
  }

  bool served = false;
  int calls = 0;

 public slots:
  QDBusVariant ReadOne(const QString& group, const QString& key, const QDBusMessage& message) {
    ++calls;
    if (!readOne_) {
      message.setDelayedReply(true);
      Bus().send(message.createErrorReply(QDBusError::UnknownMethod, "no ReadOne"));
      return {};
    }
    return Answer(group, key, message);
  }
  QDBusVariant Read(const QString& group, const QString& key, const QDBusMessage& message) {
    ++calls;
    const QDBusVariant value = Answer(group, key, message);
    return QDBusVariant(QVariant::fromValue(value));
  }

 private:
  QDBusVariant Answer(const QString& group, const QString& key, const QDBusMessage& message) {
    const auto found = values_.find({group, key});
    if (found == values_.end()) {
      message.setDelayedReply(true);
      Bus().send(message.createErrorReply("org.freedesktop.portal.Error.NotFound", "no such key"));
      return {};
    }
    return QDBusVariant(found->second);
  }
  QDBusConnection Bus() const { return QDBusConnection(name_); }

  QString name_;
  bool readOne_;
  std::map<std::pair<QString, QString>, QVariant> values_;
};
