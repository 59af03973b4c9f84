// Settings that the desktop portal (org.freedesktop.portal.Settings at
// org.freedesktop.portal.Desktop, /org/freedesktop/portal/desktop) shares with every program:
// reduced motion now, the colour scheme and others later. Watch asks for a key without ever
// blocking: ReadOne, or on a portal older than it Read, whose value comes wrapped in a second
// variant, each call given a short time-out; SettingChanged keeps every watched key current
// afterwards. Until an answer comes, or where the portal does not offer the key, its value is
// unknown.
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QString>
#include <QVariant>
#include <map>
#include <optional>
#include <utility>

// The value inside however many variants wrap it.
QVariant UnwrapPortalValue(const QVariant& value);

class TPortalSettings final : public QObject {
  Q_OBJECT
 public:
  explicit TPortalSettings(QDBusConnection bus, QObject* parent = nullptr);

  // Asks for the key once (answers come through the event loop) and follows its changes.
  void Watch(const QString& group, const QString& key);
  std::optional<QVariant> Value(const QString& group, const QString& key) const;
  // Whether a call is still waiting for its answer (at most its time-out).
  bool Asking() const { return openCalls_ > 0; }

 signals:
  // A watched key's value arrived or changed.
  void Changed(const QString& group, const QString& key, const QVariant& value);

 private slots:
  void OnSettingChanged(const QDBusMessage& message);

 private:
  void Ask(const QString& method, const QString& group, const QString& key);
  void Store(const QString& group, const QString& key, const QVariant& value);

  QDBusConnection bus_;
  std::map<std::pair<QString, QString>, std::optional<QVariant>> values_;
  int openCalls_ = 0;
};
