// tesserine-background's socket: a lock file beside it makes sure one background runs per
// Wayland display (a socket left by one that was killed is replaced), and each packet that a
// client sends is read with the files it carries.
#pragma once

#include <string>
#include <vector>

class TPictureSocket {
 public:
  TPictureSocket() = default;
  // Removes the socket it listens on.
  ~TPictureSocket();
  TPictureSocket(const TPictureSocket&) = delete;
  TPictureSocket& operator=(const TPictureSocket&) = delete;

  enum class LockResult { Locked, HeldByAnother, Failed };
  // Takes the lock of this path; HeldByAnother when another background holds it.
  LockResult Lock(const std::string& path, std::string& error);
  // Listens on the locked path, replacing a socket left there.
  bool Listen(std::string& error);

  int ListenFd() const { return listen_; }
  // A new client's descriptor, or -1.
  int Accept() const;
  // One packet and its files; false when the client has gone (or sent what is no packet).
  static bool Receive(int client, std::string& packet, std::vector<int>& files);
  static void Send(int client, const std::string& answer);

 private:
  std::string path_;
  int lock_ = -1;
  int listen_ = -1;
};
