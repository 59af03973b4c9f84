#include "platform/desktop/sway/SwayBackend.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <cstdint>
#include <cstring>
#include <thread>

#include "platform/desktop/sway/SwayCommand.h"

namespace {

// Accepts one client on a Unix socket, reads one i3-ipc message and sends back the reply.
class FakeSway {
 public:
  explicit FakeSway(std::string reply, bool framed = true) : reply_(std::move(reply)), framed_(framed) {
    path_ = dir_.path().toStdString() + "/sway.sock";
    listener_ = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, path_.c_str());
    EXPECT_EQ(bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(listen(listener_, 1), 0);
    thread_ = std::thread([this] { Serve(); });
  }
  ~FakeSway() {
    Finish();
    close(listener_);
  }
  const std::string& Path() const { return path_; }
  // Waits for the one exchange to finish.
  void Finish() {
    if (thread_.joinable()) thread_.join();
  }

  uint32_t type = 99;
  std::string payload;

 private:
  static bool ReadAll(int fd, char* data, size_t size) {
    for (size_t got = 0; got < size;) {
      const ssize_t n = read(fd, data + got, size - got);
      if (n <= 0) return false;
      got += static_cast<size_t>(n);
    }
    return true;
  }
  void Serve() {
    const int client = accept(listener_, nullptr, nullptr);
    if (client < 0) return;
    char header[14];
    if (ReadAll(client, header, sizeof header) && std::memcmp(header, "i3-ipc", 6) == 0) {
      uint32_t fields[2];
      std::memcpy(fields, header + 6, sizeof fields);
      type = fields[1];
      payload.resize(fields[0]);
      ReadAll(client, payload.data(), payload.size());
      std::string answer = reply_;
      if (framed_) {
        const uint32_t out[2] = {static_cast<uint32_t>(reply_.size()), fields[1]};
        answer = std::string("i3-ipc") + std::string(reinterpret_cast<const char*>(out), sizeof out) + reply_;
      }
      (void)!write(client, answer.data(), answer.size());
    }
    close(client);
  }

  QTemporaryDir dir_;
  std::string path_;
  std::string reply_;
  bool framed_;
  int listener_ = -1;
  std::thread thread_;
};

TEST(SwayBackend, SendsOneRunCommandWithTheBackgroundCommand) {
  FakeSway sway(R"([{"success":true}])");
  const WallpaperValues values{"/p/a b.bmp", WallpaperLayout::Center};
  TSwayBackend(sway.Path()).Apply(values);
  sway.Finish();
  EXPECT_EQ(sway.type, 0u);
  EXPECT_EQ(sway.payload, SwayBackgroundCommand(values));
}

TEST(SwayBackend, RefusalCarriesSwaysReason) {
  FakeSway sway(R"([{"success":false,"parse_error":true,"error":"Invalid output"}])");
  try {
    TSwayBackend(sway.Path()).Apply({"/a.bmp", WallpaperLayout::Tile});
    FAIL() << "no error";
  } catch (const TDesktopError& error) {
    EXPECT_STREQ(error.what(),
                 "The sway compositor did not take the wallpaper (Invalid output); the wallpaper was not changed.");
  }
}

TEST(SwayBackend, GarbledOrMissingAnswersAreErrors) {
  const std::pair<std::string, bool> rows[] = {{"not json", true}, {"HTTP/1.0 400", false}, {"", false}};
  for (const auto& [reply, framed] : rows) {
    FakeSway sway(reply, framed);
    EXPECT_THROW(TSwayBackend(sway.Path()).Apply({"/a.bmp", WallpaperLayout::Tile}), TDesktopError) << reply;
  }
}

TEST(SwayBackend, NoSocketSaysWhy) {
  const QByteArray saved = qgetenv("SWAYSOCK");
  qunsetenv("SWAYSOCK");
  try {
    TSwayBackend().Apply({"/a.bmp", WallpaperLayout::Tile});
    FAIL() << "no error";
  } catch (const TDesktopError& error) {
    EXPECT_STREQ(error.what(),
                 "The sway compositor could not be reached (SWAYSOCK is not set); the wallpaper was not changed.");
  }
  qputenv("SWAYSOCK", "/nonexistent/sway.sock");
  try {
    TSwayBackend().Apply({"/a.bmp", WallpaperLayout::Tile});
    FAIL() << "no error";
  } catch (const TDesktopError& error) {
    EXPECT_STREQ(error.what(),
                 "The sway compositor could not be reached (no connection to /nonexistent/sway.sock: No such file or "
                 "directory); the wallpaper was not changed.");
  }
  if (saved.isNull())
    qunsetenv("SWAYSOCK");
  else
    qputenv("SWAYSOCK", saved);
}

}  // namespace
