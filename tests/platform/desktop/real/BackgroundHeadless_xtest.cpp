// The background backend and tesserine-background under a real headless sway without a
// background of its own: grim's screenshots tell what each output shows, midway through a
// fade and after it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include "platform/desktop/background/BackgroundBackend.h"
#include "support/HeadlessSway.h"
#include "support/WaitFor.h"

namespace {

constexpr int kShowMs = 15000;
const QString kProgram = TESSERINE_BINARY_DIR "/libexec/tesserine/tesserine-background";

constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kGreen = 0xFF00FF00;
constexpr QRgb kBlue = 0xFF0000FF;

class BackgroundHeadlessTest : public ::testing::Test {
 protected:
  void Start(int outputs = 1, bool swaysOwnBackground = false, const QStringList& config = {}) {
    sway_ = std::make_unique<THeadlessSway>(HeadlessSwayOptions{outputs, {320, 240}, swaysOwnBackground, config});
    if (!sway_->StartError().isEmpty()) GTEST_SKIP() << sway_->StartError().toStdString();
  }
  void TearDown() override {
    // The background ends with its compositor.
    const pid_t pid = BackgroundPid();
    sway_.reset();
    if (pid > 0) WaitFor([pid] { return kill(pid, 0) != 0 || ProcessState(pid) == 'Z'; }, kShowMs);
  }

  std::unique_ptr<TBackgroundBackend> Backend() const {
    return std::make_unique<TBackgroundBackend>(kProgram, sway_->ClientEnvironment());
  }

  // A picture of one colour, saved where the test can read it back.
  std::string Solid(QRgb colour, const QString& name) {
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(colour);
    const QString path = sway_->SharedDir() + "/" + name;
    EXPECT_TRUE(picture.save(path, "BMP"));
    return QFile::encodeName(path).toStdString();
  }

  static char ProcessState(pid_t pid) {
    QFile stat(QString("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) return 0;
    const QByteArray text = stat.readAll();
    const qsizetype close = text.lastIndexOf(')');
    return close < 0 || close + 2 >= text.size() ? 0 : text[close + 2];
  }

  std::vector<pid_t> BackgroundPids() const { return sway_->Backgrounds(); }
  pid_t BackgroundPid() const {
    if (!sway_) return 0;
    const std::vector<pid_t> pids = BackgroundPids();
    return pids.empty() ? 0 : pids.front();
  }

  QRgb Shown(QPoint at = {20, 20}) const {
    const QImage shot = sway_->Screenshot();
    return shot.isNull() ? 0 : shot.pixel(at);
  }
  bool Shows(QRgb colour, QPoint at = {20, 20}) const {
    return WaitFor([&] { return Shown(at) == colour; }, kShowMs);
  }
  // Waits until the background's fades are over.
  bool FadesOver() const {
    return WaitFor(
        [&] {
          const auto connection = TBackgroundConnection::Open(Backend()->SocketPath());
          return connection && connection->Status().fading == 0;
        },
        kShowMs);
  }

  std::unique_ptr<THeadlessSway> sway_;
};

// A colour strictly between two others on every channel that differs.
bool Between(QRgb shown, QRgb from, QRgb to) {
  const auto inside = [](int value, int a, int b) {
    return a == b ? value == a : value > std::min(a, b) && value < std::max(a, b);
  };
  return inside(qRed(shown), qRed(from), qRed(to)) && inside(qGreen(shown), qGreen(from), qGreen(to)) &&
         inside(qBlue(shown), qBlue(from), qBlue(to));
}

// Samples the screen through a fade: whether some screenshot showed a blend of the two, and
// the screen at the end.
bool SawBlend(const THeadlessSway& sway, QRgb from, QRgb to, int ms) {
  QElapsedTimer clock;
  clock.start();
  bool blended = false;
  while (clock.elapsed() < ms) {
    const QImage shot = sway.Screenshot();
    if (!shot.isNull() && Between(shot.pixel(20, 20), from, to)) blended = true;
  }
  return blended;
}

TEST_F(BackgroundHeadlessTest, AFadeBlendsMidwayLandsExactlyAndTheNextRunFadesFromIt) {
  Start();
  const std::string red = Solid(kRed, "red.bmp");
  const std::string blue = Solid(kBlue, "blue.bmp");
  const std::string green = Solid(kGreen, "green.bmp");
  {
    const auto backend = Backend();
    backend->Apply({red, WallpaperLayout::Stretch});
    ASSERT_TRUE(Shows(kRed)) << "the first picture did not show";
    backend->FadeNext(std::chrono::milliseconds(3000));
    backend->Apply({blue, WallpaperLayout::Stretch});
    EXPECT_TRUE(SawBlend(*sway_, kRed, kBlue, 2500)) << "no blend of red and blue showed";
    EXPECT_TRUE(Shows(kBlue)) << "the fade did not end on the new picture";
  }
  // The run has ended; its picture stays, and a later run fades from it.
  QThread::msleep(300);
  EXPECT_EQ(Shown(), kBlue) << "the picture went with the run";
  const auto nextRun = Backend();
  nextRun->FadeNext(std::chrono::milliseconds(3000));
  nextRun->Apply({green, WallpaperLayout::Stretch});
  EXPECT_TRUE(SawBlend(*sway_, kBlue, kGreen, 2500)) << "the second run did not fade from the first run's picture";
  EXPECT_TRUE(Shows(kGreen));
  EXPECT_TRUE(FadesOver());
  EXPECT_EQ(BackgroundPids().size(), 1u);
}

TEST_F(BackgroundHeadlessTest, ChangesAtOnceWithoutAFadeAndOneProgramServesThemAll) {
  Start();
  const QRgb colours[] = {kRed, kGreen, kBlue, kRed, kGreen};
  for (int i = 0; i < 5; ++i) {
    Backend()->Apply({Solid(colours[i], QString("c%1.bmp").arg(i)), WallpaperLayout::Tile});
    // No fade: the answer comes once the picture is on its way, and the next screenshot has it.
    EXPECT_TRUE(Shows(colours[i])) << i;
  }
  EXPECT_EQ(BackgroundPids().size(), 1u) << "more than one tesserine-background after several changes";
}

// sway's own "output * bg" (a swaybg it starts, again at each reload) does not hide ours.
TEST_F(BackgroundHeadlessTest, OursShowsOverSwaysOwnBackground) {
  Start(1, true);
  const auto backend = Backend();
  backend->Apply({Solid(kRed, "red.bmp"), WallpaperLayout::Stretch});
  EXPECT_TRUE(Shows(kRed)) << std::hex << Shown();
  QProcess reload;
  reload.setProcessEnvironment(sway_->ClientEnvironment());
  reload.start("swaymsg", {"-s", sway_->SocketPath(), "output * bg #202020 solid_color"});
  ASSERT_TRUE(reload.waitForFinished(10000));
  backend->FadeNext(std::chrono::milliseconds(300));
  backend->Apply({Solid(kBlue, "blue.bmp"), WallpaperLayout::Stretch});
  EXPECT_TRUE(Shows(kBlue)) << std::hex << Shown();
}

TEST_F(BackgroundHeadlessTest, TwoOutputsEachShowTheirOwnPicture) {
  Start(2);
  const std::vector<SwayOutput> outputs = sway_->Outputs();
  ASSERT_EQ(outputs.size(), 2u);
  std::vector<MonitorWallpaper> monitors;
  const QRgb colours[] = {kRed, kBlue};
  for (int i = 0; i < 2; ++i)
    monitors.push_back({outputs[i].name.toStdString(), outputs[i].rect, Solid(colours[i], QString("m%1.bmp").arg(i))});
  Backend()->ApplyMonitors(monitors);
  for (int i = 0; i < 2; ++i) {
    EXPECT_TRUE(Shows(colours[i], outputs[i].rect.topLeft() + QPoint(5, 5))) << outputs[i].name.toStdString();
    EXPECT_TRUE(Shows(colours[i], outputs[i].rect.bottomRight() - QPoint(5, 5))) << outputs[i].name.toStdString();
  }
}

// An output that comes later shows the primary monitor's picture.
TEST_F(BackgroundHeadlessTest, ANewOutputGetsThePrimarysPicture) {
  Start();
  const std::vector<SwayOutput> first = sway_->Outputs();
  ASSERT_EQ(first.size(), 1u);
  Backend()->ApplyMonitors({{first[0].name.toStdString(), first[0].rect, Solid(kGreen, "green.bmp")}});
  ASSERT_TRUE(Shows(kGreen));
  QProcess create;
  create.setProcessEnvironment(sway_->ClientEnvironment());
  create.start("swaymsg", {"-s", sway_->SocketPath(), "create_output"});
  ASSERT_TRUE(create.waitForFinished(10000));
  ASSERT_TRUE(WaitFor([&] { return sway_->Outputs().size() == 2; }, kShowMs)) << "sway made no second output";
  for (const SwayOutput& output : sway_->Outputs())
    EXPECT_TRUE(Shows(kGreen, output.rect.center())) << output.name.toStdString();
}

// On a scaled output the picture is made at the output's mode, one picture pixel per screen
// pixel, and shown at the surface's size.
TEST_F(BackgroundHeadlessTest, AScaledOutputTakesAPictureOfItsDevicePixels) {
  Start(1, false, {"output * scale 2"});
  const auto connection = Backend()->Connect();
  const std::vector<BackgroundOutput> outputs = connection->Outputs();
  ASSERT_EQ(outputs.size(), 1u);
  EXPECT_EQ(outputs[0].size, QSize(320, 240));
  EXPECT_EQ(sway_->Outputs().front().rect.size(), QSize(160, 120));
  // Two columns of colour: at one picture pixel per screen pixel the edge stays sharp.
  QImage picture(320, 240, QImage::Format_RGB32);
  for (int x = 0; x < 320; ++x)
    for (int y = 0; y < 240; ++y) picture.setPixel(x, y, x % 2 ? kRed : kBlue);
  const QString path = sway_->SharedDir() + "/columns.bmp";
  ASSERT_TRUE(picture.save(path, "BMP"));
  Backend()->Apply({QFile::encodeName(path).toStdString(), WallpaperLayout::Tile});
  EXPECT_TRUE(WaitFor(
      [&] {
        const QImage shot = sway_->Screenshot();
        return shot.size() == QSize(320, 240) && shot.pixel(10, 10) == kBlue && shot.pixel(11, 10) == kRed;
      },
      kShowMs));
}

// What is not a sound request is answered with an error, and the picture that showed stays.
TEST_F(BackgroundHeadlessTest, ADamagedPictureIsRefusedAndTheOldOneKept) {
  Start();
  const auto backend = Backend();
  backend->Apply({Solid(kGreen, "green.bmp"), WallpaperLayout::Stretch});
  ASSERT_TRUE(Shows(kGreen));
  const auto memory = [](std::size_t bytes, bool sealed) {
    const int fd = memfd_create("test", MFD_CLOEXEC | MFD_ALLOW_SEALING);
    EXPECT_EQ(ftruncate(fd, static_cast<off_t>(bytes)), 0);
    if (sealed) fcntl(fd, F_ADD_SEALS, F_SEAL_SHRINK | F_SEAL_GROW);
    return fd;
  };
  struct Row {
    const char* what;
    QByteArray request;
    std::size_t bytes;  // of the file sent along; 0 sends none
    bool sealed;
  };
  const Row rows[] = {
      {"fewer bytes than rows", "show 0\npicture HEADLESS-1 320 240 1280\n", 1280 * 100, true},
      {"not sealed", "show 0\npicture HEADLESS-1 320 240 1280\n", 1280 * 240, false},
      {"no file", "show 0\npicture HEADLESS-1 320 240 1280\n", 0, true},
      {"stride too short", "show 0\npicture HEADLESS-1 320 240 1000\n", 1280 * 240, true},
      {"too large", "show 0\npicture HEADLESS-1 99999 240 400000\n", 1280 * 240, true},
      {"a word of no request", "paint\n", 0, true},
      {"files with a request of none", "outputs\n", 1280 * 240, true},
      {"two pictures, one file", "show 0\npicture A 1 1 4\npicture B 1 1 4\n", 4, true},
  };
  for (const Row& row : rows) {
    const auto connection = backend->Connect();
    std::vector<int> files;
    if (row.bytes > 0) files.push_back(memory(row.bytes, row.sealed));
    const QByteArray answer = connection->Ask(row.request, files);
    for (const int fd : files) close(fd);
    EXPECT_TRUE(answer.startsWith("error ")) << row.what << ": " << answer.toStdString();
  }
  EXPECT_EQ(Shown(), kGreen) << "a refused picture changed what shows";
  EXPECT_EQ(BackgroundPids().size(), 1u) << "bad input ended the program";
  backend->Apply({Solid(kRed, "red.bmp"), WallpaperLayout::Stretch});
  EXPECT_TRUE(Shows(kRed)) << "the program took no picture after the bad ones";
}

TEST_F(BackgroundHeadlessTest, AKilledBackgroundIsStartedAgainAtTheNextChange) {
  Start();
  Backend()->Apply({Solid(kRed, "red.bmp"), WallpaperLayout::Stretch});
  ASSERT_TRUE(Shows(kRed));
  const pid_t first = BackgroundPid();
  ASSERT_GT(first, 0);
  ASSERT_EQ(kill(first, SIGKILL), 0);
  ASSERT_TRUE(WaitFor([&] { return BackgroundPids().empty(); }, kShowMs));
  Backend()->Apply({Solid(kBlue, "blue.bmp"), WallpaperLayout::Stretch});
  EXPECT_TRUE(Shows(kBlue));
  const std::vector<pid_t> now = BackgroundPids();
  ASSERT_EQ(now.size(), 1u);
  EXPECT_NE(now.front(), first);
}

// Without a display, or with one where no compositor answers, the change fails with the
// backend's words and nothing stays running.
TEST_F(BackgroundHeadlessTest, NoCompositorIsAFailedChange) {
  Start();
  QProcessEnvironment environment = sway_->ClientEnvironment();
  environment.insert("WAYLAND_DISPLAY", "wayland-nobody-here");
  TBackgroundBackend backend(kProgram, environment);
  try {
    backend.Apply({Solid(kRed, "red.bmp"), WallpaperLayout::Stretch});
    FAIL() << "no error";
  } catch (const TDesktopError& error) {
    EXPECT_STREQ(error.what(),
                 "Tesserine's Wayland background (tesserine-background) could not be started (tesserine-background "
                 "ended at once with exit code 2: the compositor may offer no layer shell); the wallpaper was not "
                 "changed.");
  }
}

TEST_F(BackgroundHeadlessTest, NoDisplayIsAFailedChange) {
  Start();
  QProcessEnvironment environment = sway_->ClientEnvironment();
  environment.remove("WAYLAND_DISPLAY");
  TBackgroundBackend backend(kProgram, environment);
  try {
    backend.Apply({Solid(kRed, "red.bmp"), WallpaperLayout::Stretch});
    FAIL() << "no error";
  } catch (const TDesktopError& error) {
    EXPECT_STREQ(error.what(),
                 "Tesserine's Wayland background (tesserine-background) could not be reached (WAYLAND_DISPLAY is not "
                 "set); the wallpaper was not changed.");
  }
  EXPECT_TRUE(BackgroundPids().empty());
}

}  // namespace
