#include "background/PictureSocket.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "background/BackgroundWire.h"

TPictureSocket::~TPictureSocket() {
  if (listen_ >= 0) {
    unlink(path_.c_str());
    close(listen_);
  }
  if (lock_ >= 0) close(lock_);
}

TPictureSocket::LockResult TPictureSocket::Lock(const std::string& path, std::string& error) {
  path_ = path;
  const std::string lockPath = path + ".lock";
  lock_ = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (lock_ < 0) {
    error = "cannot open " + lockPath + ": " + std::strerror(errno);
    return LockResult::Failed;
  }
  if (flock(lock_, LOCK_EX | LOCK_NB) != 0) {
    const bool held = errno == EWOULDBLOCK;
    error = held ? "another tesserine-background runs for this display"
                 : "cannot lock " + lockPath + ": " + std::strerror(errno);
    close(lock_);
    lock_ = -1;
    return held ? LockResult::HeldByAnother : LockResult::Failed;
  }
  return LockResult::Locked;
}

bool TPictureSocket::Listen(std::string& error) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path_.size() >= sizeof(address.sun_path)) {
    error = "the socket path " + path_ + " is too long";
    return false;
  }
  std::memcpy(address.sun_path, path_.c_str(), path_.size() + 1);
  unlink(path_.c_str());
  listen_ = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (listen_ < 0 || bind(listen_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
      listen(listen_, 8) != 0) {
    error = "cannot listen on " + path_ + ": " + std::strerror(errno);
    if (listen_ >= 0) close(listen_);
    listen_ = -1;
    return false;
  }
  return true;
}

int TPictureSocket::Accept() const { return accept4(listen_, nullptr, nullptr, SOCK_CLOEXEC); }

bool TPictureSocket::Receive(int client, std::string& packet, std::vector<int>& files) {
  packet.assign(kMaxPacket + 1, '\0');
  alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int) * (kMaxPictures + 1))];
  iovec part{packet.data(), packet.size()};
  msghdr message{};
  message.msg_iov = &part;
  message.msg_iovlen = 1;
  message.msg_control = control;
  message.msg_controllen = sizeof(control);
  const ssize_t got = recvmsg(client, &message, MSG_CMSG_CLOEXEC);
  files.clear();
  for (cmsghdr* header = CMSG_FIRSTHDR(&message); header; header = CMSG_NXTHDR(&message, header)) {
    if (header->cmsg_level != SOL_SOCKET || header->cmsg_type != SCM_RIGHTS) continue;
    const std::size_t count = (header->cmsg_len - CMSG_LEN(0)) / sizeof(int);
    for (std::size_t i = 0; i < count; ++i) {
      int fd = -1;
      std::memcpy(&fd, CMSG_DATA(header) + i * sizeof(int), sizeof(int));
      files.push_back(fd);
    }
  }
  // A packet cut short, text or files, is not a request.
  if (got <= 0 || (message.msg_flags & (MSG_TRUNC | MSG_CTRUNC))) {
    for (const int fd : files) close(fd);
    files.clear();
    if (got > 0) packet = "truncated";
    return got > 0;
  }
  packet.resize(static_cast<std::size_t>(got));
  return true;
}

void TPictureSocket::Send(int client, const std::string& answer) {
  send(client, answer.data(), answer.size(), MSG_NOSIGNAL);
}
