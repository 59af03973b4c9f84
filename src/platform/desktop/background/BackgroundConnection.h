// The agent's end of the conversation with tesserine-background on its socket (the program's
// src/background/BackgroundWire.h describes the requests): ask for the outputs and their sizes,
// hand over one picture per output in sealed memfds, read the program's state.
#pragma once

#include <QImage>
#include <QString>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

struct BackgroundOutput {
  std::string name;
  QSize size;  // device pixels
  bool operator==(const BackgroundOutput&) const = default;
};

struct BackgroundPicture {
  std::string output;
  QImage picture;  // RGB32
};

struct BackgroundStatus {
  int fading = 0;  // outputs still fading
  int frames = 0;  // frames shown since the program started
};

// A conversation that broke, or a request the program refused: what() is its reason.
class TBackgroundError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TBackgroundConnection {
 public:
  // nullptr when nothing listens at path (no background runs) or the one listening runs as
  // another user.
  static std::unique_ptr<TBackgroundConnection> Open(const QString& path);
  ~TBackgroundConnection();
  TBackgroundConnection(const TBackgroundConnection&) = delete;
  TBackgroundConnection& operator=(const TBackgroundConnection&) = delete;

  // Throws TBackgroundError.
  std::vector<BackgroundOutput> Outputs();
  // The first picture is the primary monitor's. Throws TBackgroundError with the program's
  // own reason when it refuses them (what it shows then stays).
  void Show(std::chrono::milliseconds fade, const std::vector<BackgroundPicture>& pictures);
  BackgroundStatus Status();
  // Sends a request as it stands, with the files given, and returns the answer; for tests of
  // what the program does with requests that are not sound.
  QByteArray Ask(const QByteArray& request, const std::vector<int>& files = {});

 private:
  explicit TBackgroundConnection(int fd) : fd_(fd) {}

  int fd_;
};

// A sealed memfd holding the picture's rows (RGB32, which is wl_shm's XRGB8888 here);
// throws TBackgroundError when it cannot be made. The caller closes it.
int PictureMemory(const QImage& picture);
