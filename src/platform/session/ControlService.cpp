#include "platform/session/ControlService.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QFile>
#include <QObject>
#include <QVariantMap>

#include "platform/session/BusConnection.h"

namespace {

const char* ErrorName(TRemoteRefusal::Reason reason) {
  switch (reason) {
    case TRemoteRefusal::Reason::Busy:
      return kBusyError;
    case TRemoteRefusal::Reason::AgentNotRunning:
      return kAgentNotRunningError;
    case TRemoteRefusal::Reason::Failed:
      break;
  }
  return kFailedError;
}

QString PathText(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

std::string PathBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

// The object on the bus: its public slots are the interface's methods, its properties the
// interface's properties.
class TControlObject final : public QObject, protected QDBusContext {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.tesserine.Tesserine1")
  Q_PROPERTY(QString CurrentImage READ CurrentImage)
  Q_PROPERTY(QString CurrentMethod READ CurrentMethod)
  Q_PROPERTY(bool Paused READ Paused)
  Q_PROPERTY(bool AgentRunning READ AgentRunning)
  Q_PROPERTY(QString ColorScheme READ ColorScheme)

 public:
  TControlObject(IRemoteControl& control, QDBusConnection bus)
      : control_(control), bus_(std::move(bus)), announced_(control.RemoteStatus()) {}

  QString CurrentImage() const { return PathText(control_.RemoteStatus().image); }
  QString CurrentMethod() const { return QString::fromStdString(control_.RemoteStatus().method); }
  bool Paused() const { return control_.RemoteStatus().paused; }
  bool AgentRunning() const { return control_.RemoteStatus().agentRunning; }
  QString ColorScheme() const { return QString::fromStdString(control_.RemoteStatus().scheme); }

  IRemoteControl& control_;
  QDBusConnection bus_;
  bool registered_ = false;
  TRemoteStatus announced_;

 public slots:
  void Next() {
    Answer([this] { control_.RemoteNext(); });
  }
  void Previous() {
    Answer([this] { control_.RemotePrevious(); });
  }
  void Pause() {
    Answer([this] { control_.RemotePause(); });
  }
  void Resume() {
    Answer([this] { control_.RemoteResume(); });
  }
  void TogglePause() {
    Answer([this] { control_.RemoteTogglePause(); });
  }
  bool RemoveCurrent() {
    return Answer([this] { return control_.RemoteRemoveCurrent(); });
  }
  void Show() {
    Answer([this] { control_.RemoteShow(); });
  }
  void Quit() {
    Answer([this] { control_.RemoteQuit(); });
  }
  void Set(const QString& file) {
    Answer([this, &file] { control_.RemoteSet(PathBytes(file)); });
  }
  void Open(const QStringList& files) {
    Answer([this, &files] {
      std::vector<std::string> bytes;
      for (const QString& file : files) bytes.push_back(PathBytes(file));
      control_.RemoteOpen(bytes);
    });
  }
  // The paths refused, each with why; empty when every path was added.
  QStringList Add(const QStringList& paths) {
    return Answer([this, &paths] {
      std::vector<std::string> bytes;
      for (const QString& path : paths) bytes.push_back(PathBytes(path));
      QStringList refused;
      for (const std::string& line : control_.RemoteAdd(bytes)) refused << PathText(line);
      return refused;
    });
  }

 private:
  // Runs the command; a refusal becomes the error reply of the call being answered.
  template <class Command>
  auto Answer(Command command) -> decltype(command()) {
    try {
      return command();
    } catch (const TRemoteRefusal& refusal) {
      sendErrorReply(ErrorName(refusal.GetReason()), QString::fromStdString(refusal.what()));
    }
    return decltype(command())();
  }
};

TControlService::TControlService(IRemoteControl& control, const std::string& busAddress)
    : object_(std::make_unique<TControlObject>(control, BusConnection(busAddress, "tesserine-control"))) {}

TControlService::~TControlService() {
  if (!object_->registered_) return;
  object_->bus_.unregisterObject(kControlPath);
  object_->bus_.unregisterService(kControlService);
}

TControlService::Registration TControlService::Register(std::string* why) {
  QDBusConnection& bus = object_->bus_;
  if (!bus.isConnected()) return Registration::NoBus;
  if (!RequestName(bus, kControlService)) {
    *why = std::string("another program owns ") + kControlService + " on this session bus";
    return Registration::Refused;
  }
  if (!bus.registerObject(kControlPath, object_.get(),
                          QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties)) {
    bus.unregisterService(kControlService);
    *why = std::string("the object ") + kControlPath + " cannot be exported";
    return Registration::Refused;
  }
  object_->registered_ = true;
  return Registration::Done;
}

void TControlService::StatusChanged() {
  TControlObject& object = *object_;
  const TRemoteStatus now = object.control_.RemoteStatus();
  const TRemoteStatus before = object.announced_;
  object.announced_ = now;
  if (!object.registered_ || now == before) return;
  QVariantMap changed;
  if (now.image != before.image) changed["CurrentImage"] = PathText(now.image);
  if (now.method != before.method) changed["CurrentMethod"] = QString::fromStdString(now.method);
  if (now.paused != before.paused) changed["Paused"] = now.paused;
  if (now.agentRunning != before.agentRunning) changed["AgentRunning"] = now.agentRunning;
  if (now.scheme != before.scheme) changed["ColorScheme"] = QString::fromStdString(now.scheme);
  QDBusMessage signal =
      QDBusMessage::createSignal(kControlPath, "org.freedesktop.DBus.Properties", "PropertiesChanged");
  signal << QString(kControlInterface) << changed << QStringList();
  object.bus_.send(signal);
}

#include "ControlService.moc"
