// What the desktops drawn by a file manager's own window need without a display: which
// monitor such a window hides, where pcmanfm's instance listens and which of its monitors
// it shows, and the other name under which pcmanfm-qt reads a file anew.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstring>

#include "platform/desktop/lxde/PcmanfmInstance.h"
#include "platform/desktop/lxqt/LxqtBackend.h"
#include "platform/desktop/x11/DesktopWindow.h"

namespace {

TEST(FirstCoveredMonitor, OnlyAWindowOverAWholeMonitorHidesIt) {
  const QSize root(2000, 1000);
  const QRect left(0, 0, 1200, 1000);
  const QRect right(1200, 0, 800, 600);
  const TDesktopWindow full{1, "pcmanfm-qt", QRect(0, 0, 2000, 1000)};
  const TDesktopWindow onRight{2, "pcmanfm", QRect(1200, 0, 800, 600)};
  const TDesktopWindow widget{3, "conky", QRect(1500, 20, 300, 400)};
  const TDesktopWindow almost{4, "xfdesktop", QRect(0, 0, 1200, 999)};
  const TDesktopWindow beyond{5, "nemo-desktop", QRect(-10, -10, 3000, 2000)};
  const TDesktopWindow seeThrough{6, "nemo-desktop", QRect(0, 0, 2000, 1000), true};
  struct Row {
    const char* name;
    std::vector<TDesktopWindow> windows;
    std::vector<QRect> monitors;
    std::optional<std::pair<unsigned long, QRect>> covered;
  };
  const Row rows[] = {
      {"no window", {}, {left, right}, std::nullopt},
      {"a window over the whole root", {full}, {left, right}, std::pair{1ul, left}},
      {"no monitors: the root is the one", {full}, {}, std::pair{1ul, QRect(QPoint(0, 0), root)}},
      {"a desktop widget", {widget}, {left, right}, std::nullopt},
      {"one pixel short", {almost}, {left, right}, std::nullopt},
      {"the second monitor only", {widget, onRight}, {left, right}, std::pair{2ul, right}},
      {"larger than the root", {beyond}, {right}, std::pair{5ul, right}},
      {"the first monitor first", {onRight, full}, {left, right}, std::pair{1ul, left}},
      {"a see-through window", {seeThrough}, {left, right}, std::nullopt},
      {"an opaque one under a see-through one", {seeThrough, onRight}, {left, right}, std::pair{2ul, right}},
      {"a monitor reaching beyond the root is clipped", {onRight}, {QRect(1200, 0, 900, 600)}, std::pair{2ul, right}},
      {"monitors outside the root count as none",
       {full},
       {QRect(3000, 0, 10, 10)},
       std::pair{1ul, QRect(QPoint(0, 0), root)}},
  };
  for (const Row& row : rows) {
    const auto covered = FirstCoveredMonitor(row.windows, root, row.monitors);
    ASSERT_EQ(covered.has_value(), row.covered.has_value()) << row.name;
    if (!covered) continue;
    EXPECT_EQ(covered->window.id, row.covered->first) << row.name;
    EXPECT_EQ(covered->monitor, row.covered->second) << row.name;
  }
}

TEST(CoveredMonitorText, NamesTheProgramAndTheMonitor) {
  EXPECT_EQ(CoveredMonitorText({{7, "pcmanfm-qt", QRect(0, 0, 2560, 1600)}, QRect(1920, 0, 1280, 1024)}),
            "pcmanfm-qt draws its own desktop over the 1280 x 1024 monitor at 1920, 0");
}

TEST(PcmanfmSocketPath, FollowsTheDisplayAndTheRuntimeFolder) {
  struct Row {
    const char* display;
    const char* runtime;
    const char* cache;
    const char* expected;
  };
  const Row rows[] = {
      {":0", "/run/user/1000", "", "/run/user/1000/pcmanfm-socket--0"},
      {":77.0", "/run/user/1000", "", "/run/user/1000/pcmanfm-socket--77"},
      {"work:12.1", "/run/user/5", "/c", "/run/user/5/pcmanfm-socket-work-12"},
      {"[::1]:3", "/r", "", "/r/pcmanfm-socket-[::1]-3"},
      {":1", "", "/home/u/.cache", "/home/u/.cache/pcmanfm-socket--1"},
      {"", "/r", "", "/r/pcmanfm-socket--0"},
  };
  for (const Row& row : rows) {
    QProcessEnvironment environment;
    environment.insert("DISPLAY", row.display);
    if (*row.runtime) environment.insert("XDG_RUNTIME_DIR", row.runtime);
    if (*row.cache) environment.insert("XDG_CACHE_HOME", row.cache);
    EXPECT_EQ(PcmanfmSocketPath(environment), row.expected) << row.display;
  }
}

TEST(FirstDesktopPicture, TheMonitorOfTheOldestDesktopWindowElseThePrimary) {
  const std::vector<MonitorWallpaper> monitors{{"DP-1", QRect(0, 0, 1920, 1080), "/p/one.bmp"},
                                               {"HDMI-1", QRect(1920, 0, 1280, 1024), "/p/two.bmp"}};
  const TDesktopWindow onLeft{0x200028, "pcmanfm", QRect(0, 0, 1920, 1080)};
  const TDesktopWindow onRight{0x200003, "pcmanfm", QRect(1920, 0, 1280, 1024)};
  const TDesktopWindow across{0x200003, "pcmanfm", QRect(0, 0, 3200, 1080)};
  EXPECT_EQ(FirstDesktopPicture(monitors, {onLeft, onRight}), "/p/two.bmp");
  EXPECT_EQ(FirstDesktopPicture(monitors, {onLeft}), "/p/one.bmp");
  EXPECT_EQ(FirstDesktopPicture(monitors, {across}), "/p/one.bmp");
  EXPECT_EQ(FirstDesktopPicture(monitors, {}), "/p/one.bmp");
  EXPECT_EQ(FirstDesktopPicture({}, {onLeft}), "");
}

// A socket bound only, one listening, one whose program went away and none at all.
TEST(SocketListening, OnlyAListeningSocketAtThatPath) {
  QTemporaryDir dir;
  const QString path = dir.filePath("pcmanfm-socket--0");
  const auto bound = [](const QString& at) {
    const QByteArray name = QFile::encodeName(at);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, name.constData(), static_cast<size_t>(name.size()) + 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    EXPECT_EQ(bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0) << at.toStdString();
    return fd;
  };
  const int server = bound(path);
  EXPECT_FALSE(SocketListening(path)) << "bound, not yet listening";
  ASSERT_EQ(listen(server, 5), 0);
  EXPECT_TRUE(SocketListening(path));
  EXPECT_FALSE(SocketListening(dir.filePath("socket--0"))) << "a path that only ends the listening one's";
  close(server);
  EXPECT_TRUE(QFile::exists(path));
  EXPECT_FALSE(SocketListening(path)) << "its program is gone, the file stays";
  EXPECT_FALSE(SocketListening(dir.filePath("none")));
}

TEST(SameFileAnotherName, AnotherTextForTheSameFile) {
  QTemporaryDir dir;
  const QString file = dir.filePath("Tesserina Convert.BMP");
  QFile bitmap(file);
  ASSERT_TRUE(bitmap.open(QIODevice::WriteOnly));
  bitmap.close();
  const QString other = SameFileAnotherName(file);
  EXPECT_NE(other, file);
  EXPECT_EQ(QFileInfo(other).canonicalFilePath(), QFileInfo(file).canonicalFilePath());
  EXPECT_EQ(SameFileAnotherName("/Tesserina Convert.BMP"), "//./Tesserina Convert.BMP");
}

}  // namespace
