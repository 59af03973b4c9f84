// A private sway for tests: headless outputs drawn in software, no Xwayland, no input
// devices, its own runtime folder, stopped with this object. sway refuses to run as root,
// so under root it runs as the user nobody; pictures its background must read go into
// SharedDir(), which every user can read.
#pragma once

#include <sys/types.h>

#include <QImage>
#include <QJsonDocument>
#include <QProcess>
#include <QRect>
#include <QStringList>
#include <QTemporaryDir>
#include <vector>

struct HeadlessSwayOptions {
  int outputs = 1;
  QSize size{320, 240};
  bool ownBackground = true;  // false: sway starts no swaybg of its own
  QStringList extraConfig;
};

struct SwayOutput {
  QString name;
  QRect rect;
};

class THeadlessSway {
 public:
  explicit THeadlessSway(const HeadlessSwayOptions& options = {});
  ~THeadlessSway();
  THeadlessSway(const THeadlessSway&) = delete;
  THeadlessSway& operator=(const THeadlessSway&) = delete;

  // Empty when sway runs; otherwise why it could not start.
  const QString& StartError() const { return startError_; }
  QString SharedDir() const { return dir_.filePath("shared"); }
  const QString& SocketPath() const { return socket_; }
  // For a client of this sway only: no X display, no session bus.
  QProcessEnvironment ClientEnvironment() const;

  // swaymsg -t type, parsed; empty when sway does not answer.
  QJsonDocument Query(const QString& type) const;
  std::vector<SwayOutput> Outputs() const;
  // The whole layout as grim sees it; null when grim fails.
  QImage Screenshot() const;
  // swaybg processes drawing on this sway (other tests' may still be ending).
  int SwaybgCount() const;
  // The processes whose name (/proc/<pid>/stat, 15 bytes at most) is comm, running for this
  // sway's runtime folder; zombies left out.
  std::vector<pid_t> ProcessesOf(const QByteArray& comm) const;
  // Our own tesserine-background processes drawing on this sway.
  std::vector<pid_t> Backgrounds() const { return ProcessesOf("tesserine-backg"); }

 private:
  bool Start(const HeadlessSwayOptions& options);
  QString Log() const;

  QTemporaryDir dir_;
  QProcess sway_;
  QString startError_;
  QString socket_;
  QString waylandDisplay_;
};
