#include "platform/desktop/sway/SwayBackend.h"

#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "platform/desktop/sway/SwayCommand.h"

namespace {

const char kMagic[] = "i3-ipc";
constexpr size_t kMagicSize = sizeof kMagic - 1;
constexpr size_t kHeaderSize = kMagicSize + 8;
constexpr uint32_t kRunCommand = 0;
constexpr uint32_t kGetVersion = 7;
constexpr uint32_t kMaxReply = 1 << 20;
constexpr int kTimeoutSeconds = 5;

[[noreturn]] void Fail(const std::string& why, DesktopFailure failure = DesktopFailure::Unreachable) {
  ThrowBackendError("sway", failure, why);
}

class Socket {
 public:
  explicit Socket(const std::string& path) : fd_(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) {
      if (fd_ >= 0) close(fd_);
      Fail("the socket path is too long");
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    if (fd_ < 0 || connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
      const int error = errno;
      if (fd_ >= 0) close(fd_);
      Fail("no connection to " + path + ": " + std::strerror(error));
    }
    const timeval timeout{kTimeoutSeconds, 0};
    setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    setsockopt(fd_, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
  }
  ~Socket() {
    if (fd_ >= 0) close(fd_);
  }
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;

  void Send(const std::string& data) {
    for (size_t sent = 0; sent < data.size();) {
      const ssize_t n = send(fd_, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) Fail(std::string("the command could not be sent: ") + std::strerror(errno));
      sent += static_cast<size_t>(n);
    }
  }

  std::string Receive(size_t size) {
    std::string data(size, '\0');
    for (size_t got = 0; got < size;) {
      const ssize_t n = recv(fd_, data.data() + got, size - got, 0);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) Fail("it closed the connection without an answer");
      got += static_cast<size_t>(n);
    }
    return data;
  }

 private:
  int fd_;
};

std::string Message(uint32_t type, const std::string& payload) {
  std::string message(kMagic, kMagicSize);
  const uint32_t header[2] = {static_cast<uint32_t>(payload.size()), type};
  message.append(reinterpret_cast<const char*>(header), sizeof header);
  return message + payload;
}

// The reply is a JSON array with one {"success": bool, "error": text} per command.
void CheckReply(const std::string& payload) {
  const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(payload));
  if (!document.isArray()) Fail("its answer is not understood", DesktopFailure::Refused);
  for (const QJsonValue& result : document.array()) {
    if (!result.toObject().value("success").toBool())
      Fail(result.toObject().value("error").toString().toStdString(), DesktopFailure::Refused);
  }
}

}  // namespace

void TSwayBackend::Apply(const WallpaperValues& values) { Run(SwayBackgroundCommand(values)); }

void TSwayBackend::ApplyMonitors(const std::vector<MonitorWallpaper>& monitors) { Run(SwayMonitorsCommand(monitors)); }

void TSwayBackend::Run(const std::string& command) { CheckReply(Ask(kRunCommand, command)); }

std::optional<SwayVersion> TSwayBackend::Version() {
  try {
    const QJsonObject version = QJsonDocument::fromJson(QByteArray::fromStdString(Ask(kGetVersion, ""))).object();
    if (!version.contains("major") || !version.contains("minor")) return std::nullopt;
    return SwayVersion{version.value("major").toInt(), version.value("minor").toInt()};
  } catch (const TDesktopError&) {
    return std::nullopt;
  }
}

std::string TSwayBackend::Ask(uint32_t type, const std::string& payload) {
  std::string path = socketPath_;
  if (path.empty()) {
    const char* env = getenv("SWAYSOCK");
    if (!env || !*env) Fail("SWAYSOCK is not set");
    path = env;
  }
  Socket socket(path);
  socket.Send(Message(type, payload));
  const std::string header = socket.Receive(kHeaderSize);
  if (header.compare(0, kMagicSize, kMagic) != 0) Fail("its answer is not understood", DesktopFailure::Refused);
  uint32_t fields[2];
  std::memcpy(fields, header.data() + kMagicSize, sizeof fields);
  if (fields[0] > kMaxReply) Fail("its answer is not understood", DesktopFailure::Refused);
  return socket.Receive(fields[0]);
}
