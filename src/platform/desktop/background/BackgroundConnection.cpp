#include "platform/desktop/background/BackgroundConnection.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QList>
#include <cerrno>
#include <cstring>

namespace {

// The program answers at once; only a hung one is waited for this long.
constexpr int kAnswerMs = 10000;
constexpr std::size_t kMostAnswer = 65536;

[[noreturn]] void Broken(const std::string& what) { throw TBackgroundError(what + ": " + std::strerror(errno)); }

QByteArray OutputName(const std::string& name) {
  return QByteArray::fromStdString(name).toPercentEncoding(QByteArray(), "~");
}

}  // namespace

int PictureMemory(const QImage& source) {
  const QImage picture =
      source.format() == QImage::Format_RGB32 ? source : source.convertToFormat(QImage::Format_RGB32);
  const int fd = memfd_create("tesserine-picture", MFD_CLOEXEC | MFD_ALLOW_SEALING);
  if (fd < 0) Broken("no shared memory for the picture");
  const char* bytes = reinterpret_cast<const char*>(picture.constBits());
  std::size_t left = static_cast<std::size_t>(picture.sizeInBytes());
  while (left > 0) {
    const ssize_t written = write(fd, bytes, left);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      close(fd);
      Broken("the picture cannot be written to shared memory");
    }
    bytes += written;
    left -= static_cast<std::size_t>(written);
  }
  if (fcntl(fd, F_ADD_SEALS, F_SEAL_SHRINK | F_SEAL_GROW | F_SEAL_WRITE | F_SEAL_SEAL) != 0) {
    close(fd);
    Broken("the picture's shared memory cannot be sealed");
  }
  return fd;
}

std::unique_ptr<TBackgroundConnection> TBackgroundConnection::Open(const QString& path) {
  const QByteArray name = path.toLocal8Bit();
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (static_cast<std::size_t>(name.size()) >= sizeof(address.sun_path)) return nullptr;
  std::memcpy(address.sun_path, name.constData(), static_cast<std::size_t>(name.size()) + 1);
  const int fd = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
  if (fd < 0) return nullptr;
  ucred peer{};
  socklen_t size = sizeof(peer);
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
      getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0 || peer.uid != geteuid()) {
    close(fd);
    return nullptr;
  }
  return std::unique_ptr<TBackgroundConnection>(new TBackgroundConnection(fd));
}

TBackgroundConnection::~TBackgroundConnection() { close(fd_); }

QByteArray TBackgroundConnection::Ask(const QByteArray& request, const std::vector<int>& files) {
  iovec part{const_cast<char*>(request.constData()), static_cast<std::size_t>(request.size())};
  msghdr message{};
  message.msg_iov = &part;
  message.msg_iovlen = 1;
  std::vector<char> control(CMSG_SPACE(sizeof(int) * files.size()));
  if (!files.empty()) {
    message.msg_control = control.data();
    message.msg_controllen = control.size();
    cmsghdr* header = CMSG_FIRSTHDR(&message);
    header->cmsg_level = SOL_SOCKET;
    header->cmsg_type = SCM_RIGHTS;
    header->cmsg_len = CMSG_LEN(sizeof(int) * files.size());
    std::memcpy(CMSG_DATA(header), files.data(), sizeof(int) * files.size());
  }
  if (sendmsg(fd_, &message, MSG_NOSIGNAL) != static_cast<ssize_t>(request.size())) Broken("the request was not sent");
  pollfd wait{fd_, POLLIN, 0};
  if (poll(&wait, 1, kAnswerMs) != 1) throw TBackgroundError("no answer came");
  QByteArray answer(kMostAnswer, '\0');
  const ssize_t got = recv(fd_, answer.data(), answer.size(), 0);
  if (got < 0) Broken("the answer was not received");
  if (got == 0) throw TBackgroundError("it ended without an answer");
  answer.truncate(got);
  return answer;
}

std::vector<BackgroundOutput> TBackgroundConnection::Outputs() {
  const QList<QByteArray> lines = Ask("outputs\n").trimmed().split('\n');
  if (lines.isEmpty() || lines.front() != "outputs") throw TBackgroundError("it did not list its outputs");
  std::vector<BackgroundOutput> outputs;
  for (qsizetype i = 1; i < lines.size(); ++i) {
    const QList<QByteArray> words = lines[i].split(' ');
    bool wide = false;
    bool high = false;
    const int width = words.size() == 3 ? words[1].toInt(&wide) : 0;
    const int height = words.size() == 3 ? words[2].toInt(&high) : 0;
    if (!wide || !high || width <= 0 || height <= 0) throw TBackgroundError("it listed an output without a size");
    outputs.push_back({QByteArray::fromPercentEncoding(words[0]).toStdString(), QSize(width, height)});
  }
  return outputs;
}

void TBackgroundConnection::Show(std::chrono::milliseconds fade, const std::vector<BackgroundPicture>& pictures) {
  QByteArray request = "show " + QByteArray::number(static_cast<qlonglong>(fade.count())) + '\n';
  std::vector<int> files;
  try {
    for (const BackgroundPicture& picture : pictures) {
      files.push_back(PictureMemory(picture.picture));
      request += "picture " + OutputName(picture.output) + ' ' + QByteArray::number(picture.picture.width()) + ' ' +
                 QByteArray::number(picture.picture.height()) + ' ' + QByteArray::number(picture.picture.width() * 4) +
                 '\n';
    }
    const QByteArray answer = Ask(request, files).trimmed();
    for (const int fd : files) close(fd);
    files.clear();
    if (answer == "ok") return;
    if (answer.startsWith("error ")) throw TBackgroundError(answer.mid(6).toStdString());
    throw TBackgroundError("it gave an answer that is not one: " + answer.left(80).toStdString());
  } catch (...) {
    for (const int fd : files) close(fd);
    throw;
  }
}

BackgroundStatus TBackgroundConnection::Status() {
  const QList<QByteArray> words = Ask("status\n").trimmed().split(' ');
  if (words.size() != 3 || words[0] != "status") throw TBackgroundError("it did not tell its state");
  return {words[1].toInt(), words[2].toInt()};
}
