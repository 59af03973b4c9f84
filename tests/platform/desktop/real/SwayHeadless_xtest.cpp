// The sway backend through the IPC of a real headless sway with two outputs, and the swaybg
// backend under the same sway with its own background off; grim's screenshot tells what
// each output shows.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <atomic>
#include <cstdio>
#include <thread>

#include "platform/desktop/sway/SwayBackend.h"
#include "platform/desktop/sway/SwaybgBackend.h"
#include "support/HeadlessSway.h"
#include "support/WaitFor.h"

namespace {

constexpr int kShowMs = 15000;
constexpr QRgb kTopLeft = 0xFFFF0000;
constexpr QRgb kTopRight = 0xFF00FF00;
constexpr QRgb kBottomLeft = 0xFF0000FF;
constexpr QRgb kBottomRight = 0xFFFFFFFF;

// A 64 x 48 picture in four coloured quarters, so every mode shows a different pattern.
QImage Quarters() {
  QImage picture(64, 48, QImage::Format_RGB32);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x)
      picture.setPixel(x, y, y < 24 ? (x < 32 ? kTopLeft : kTopRight) : (x < 32 ? kBottomLeft : kBottomRight));
  return picture;
}

struct Probe {
  QPoint at;  // from the output's top left corner; negative counts from the far edge
  QRgb color;
};

// Stands for the plain background, whatever its colour: none of the picture's.
constexpr QRgb kPlain = 0;

bool Matches(QRgb shown, QRgb expected) {
  if (expected != kPlain) return shown == expected;
  return shown != kTopLeft && shown != kTopRight && shown != kBottomLeft && shown != kBottomRight;
}

// What a 320 x 240 output shows of the picture in each mode.
std::vector<Probe> Expected(WallpaperLayout layout) {
  switch (layout) {
    case WallpaperLayout::Stretch:
      return {{{5, 5}, kTopLeft},   {{37, 5}, kTopLeft},    {{5, 29}, kTopLeft},
              {{-5, 5}, kTopRight}, {{5, -5}, kBottomLeft}, {{-5, -5}, kBottomRight}};
    case WallpaperLayout::Tile:
      return {
          {{5, 5}, kTopLeft}, {{37, 5}, kTopRight}, {{69, 5}, kTopLeft}, {{5, 29}, kBottomLeft}, {{5, 53}, kTopLeft}};
    case WallpaperLayout::Center:
      break;
  }
  return {{{5, 5}, kPlain}, {{150, 110}, kTopLeft}, {{170, 130}, kBottomRight}, {{-5, -5}, kPlain}};
}

class SwayHeadlessTest : public ::testing::Test {
 protected:
  void Start(bool ownBackground) {
    sway_ = std::make_unique<THeadlessSway>(HeadlessSwayOptions{2, {320, 240}, ownBackground, {}});
    if (!sway_->StartError().isEmpty()) GTEST_SKIP() << sway_->StartError().toStdString();
  }

  QString SavePicture(const QString& name) {
    const QString path = sway_->SharedDir() + "/" + name;
    EXPECT_TRUE(Quarters().save(path, "BMP"));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    return path;
  }

  // Whether every output shows the layout, asked again until it does or time is up.
  std::string Mismatch(WallpaperLayout layout) {
    std::string mismatch;
    WaitFor(
        [&] {
          mismatch = Compare(layout);
          return mismatch.empty();
        },
        kShowMs);
    return mismatch;
  }

  std::string Compare(WallpaperLayout layout) {
    const QImage shot = sway_->Screenshot();
    const std::vector<SwayOutput> outputs = sway_->Outputs();
    if (shot.isNull() || outputs.size() != 2) return "no screenshot or not two outputs";
    for (const SwayOutput& output : outputs) {
      for (const Probe& probe : Expected(layout)) {
        const QPoint at(output.rect.x() + (probe.at.x() < 0 ? output.rect.width() + probe.at.x() : probe.at.x()),
                        output.rect.y() + (probe.at.y() < 0 ? output.rect.height() + probe.at.y() : probe.at.y()));
        if (!Matches(shot.pixel(at), probe.color))
          return QString("%1 at %2,%3 shows %4 instead of %5")
              .arg(output.name)
              .arg(probe.at.x())
              .arg(probe.at.y())
              .arg(shot.pixel(at), 8, 16)
              .arg(probe.color, 8, 16)
              .toStdString();
      }
    }
    return {};
  }

  std::unique_ptr<THeadlessSway> sway_;
};

TEST_F(SwayHeadlessTest, SwayShowsThePictureInEachModeOnEveryOutput) {
  Start(true);
  const QString file = SavePicture("it's \"a\" $HOME.bmp");
  TSwayBackend backend(sway_->SocketPath().toStdString());
  for (const WallpaperLayout layout : {WallpaperLayout::Stretch, WallpaperLayout::Tile, WallpaperLayout::Center}) {
    backend.Apply({QFile::encodeName(file).toStdString(), layout});
    EXPECT_EQ(Mismatch(layout), "") << static_cast<int>(layout);
  }
}

TEST_F(SwayHeadlessTest, HostileFileNamesReachSwayUnchanged) {
  Start(true);
  const char* const names[] = {
      "two  spaces ; and, more.bmp",
      "back\\slash \\\"q\\$HOME\\'.bmp",
      "$(touch owned) `id` ${HOME}.bmp",
      "*?[a] ~ '';'.bmp",
  };
  TSwayBackend backend(sway_->SocketPath().toStdString());
  WallpaperLayout layout = WallpaperLayout::Tile;
  for (const char* name : names) {
    const QString file = SavePicture(QString::fromUtf8(name));
    layout = layout == WallpaperLayout::Tile ? WallpaperLayout::Stretch : WallpaperLayout::Tile;
    backend.Apply({QFile::encodeName(file).toStdString(), layout});
    EXPECT_EQ(Mismatch(layout), "") << name;
  }
  EXPECT_FALSE(QFile::exists(sway_->SharedDir() + "/owned")) << "a file name ran a command";
}

TEST_F(SwayHeadlessTest, SwaybgStaysAfterTheRunAndTheNextRunReplacesIt) {
  Start(false);
  const QString first = SavePicture("first.bmp");
  const QString second = SavePicture("second picture.bmp");
  {
    TSwaybgBackend backend("swaybg", sway_->ClientEnvironment());
    backend.Apply({QFile::encodeName(first).toStdString(), WallpaperLayout::Tile});
    EXPECT_EQ(Mismatch(WallpaperLayout::Tile), "");
  }
  EXPECT_EQ(Mismatch(WallpaperLayout::Tile), "") << "the wallpaper went with the run";
  EXPECT_EQ(sway_->SwaybgCount(), 1);

  TSwaybgBackend nextRun("swaybg", sway_->ClientEnvironment());
  EXPECT_EQ(nextRun.Query()->file, QFile::encodeName(first).toStdString());
  nextRun.Apply({QFile::encodeName(second).toStdString(), WallpaperLayout::Stretch});
  EXPECT_EQ(Mismatch(WallpaperLayout::Stretch), "");
  EXPECT_EQ(sway_->SwaybgCount(), 1) << "the first run's swaybg stays under the new one";
}

// Each output shows its own picture, through sway's IPC and through one swaybg.
TEST_F(SwayHeadlessTest, EachOutputShowsItsOwnPicture) {
  for (const bool throughIpc : {true, false}) {
    SCOPED_TRACE(throughIpc ? "sway IPC" : "swaybg");
    Start(throughIpc);
    const std::vector<SwayOutput> outputs = sway_->Outputs();
    ASSERT_EQ(outputs.size(), 2u);
    const QRgb colours[] = {0xFFFF0000, 0xFF00FF00};
    std::vector<MonitorWallpaper> monitors;
    for (int i = 0; i < 2; ++i) {
      QImage picture(outputs[i].rect.size(), QImage::Format_RGB32);
      picture.fill(colours[i]);
      const QString path = sway_->SharedDir() + QString("/monitor %1.bmp").arg(i);
      ASSERT_TRUE(picture.save(path, "BMP"));
      QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
      monitors.push_back({outputs[i].name.toStdString(), outputs[i].rect, QFile::encodeName(path).toStdString()});
    }
    std::unique_ptr<IDesktopBackend> backend;
    if (throughIpc)
      backend = std::make_unique<TSwayBackend>(sway_->SocketPath().toStdString());
    else
      backend = std::make_unique<TSwaybgBackend>("swaybg", sway_->ClientEnvironment());
    backend->ApplyMonitors(monitors);
    EXPECT_TRUE(WaitFor(
        [&] {
          const QImage shot = sway_->Screenshot();
          if (shot.isNull()) return false;
          for (int i = 0; i < 2; ++i)
            for (const QPoint corner :
                 {outputs[i].rect.topLeft() + QPoint(2, 2), outputs[i].rect.bottomRight() - QPoint(2, 2)})
              if (shot.pixel(corner) != colours[i]) return false;
          return true;
        },
        kShowMs));
    sway_.reset();
  }
}

// Screenshots taken all through each change show the old picture, then the new one, and
// never the plain background between them. Prints when the new picture first showed and
// when the change was over (the old swaybg ended), for pictures of several sizes.
TEST_F(SwayHeadlessTest, AChangeNeverShowsAnEmptyFrame) {
  Start(false);
  const QRgb colours[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF};
  const QSize sizes[] = {{64, 48}, {1920, 1080}, {8000, 6000}};
  std::vector<QString> pictures;
  for (int i = 0; i < 3; ++i) {
    QImage picture(sizes[i], QImage::Format_RGB32);
    picture.fill(colours[i]);
    pictures.push_back(sway_->SharedDir() + QString("/solid%1.jpg").arg(i));
    ASSERT_TRUE(picture.save(pictures.back(), "JPEG", 95));
    QFile::setPermissions(pictures.back(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
  }
  // Pure colours come back from JPEG within a few steps of each channel.
  const auto near = [](QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) < 8 && std::abs(qGreen(a) - qGreen(b)) < 8 && std::abs(qBlue(a) - qBlue(b)) < 8;
  };
  TSwaybgBackend backend("swaybg", sway_->ClientEnvironment());
  backend.Apply({QFile::encodeName(pictures[0]).toStdString(), WallpaperLayout::Stretch});
  ASSERT_TRUE(WaitFor([&] { return near(sway_->Screenshot().pixel(5, 5), colours[0]); }, kShowMs));
  for (int i = 1; i < 3; ++i) {
    std::atomic<bool> done{false};
    std::vector<std::pair<qint64, QRgb>> frames;
    QElapsedTimer clock;
    clock.start();
    std::thread watcher([&] {
      while (!done) {
        const QImage shot = sway_->Screenshot();
        if (!shot.isNull()) frames.emplace_back(clock.elapsed(), shot.pixel(5, 5));
      }
    });
    backend.Apply({QFile::encodeName(pictures[i]).toStdString(), WallpaperLayout::Stretch});
    const qint64 over = clock.elapsed();
    WaitFor([&] { return near(sway_->Screenshot().pixel(5, 5), colours[i]); }, kShowMs);
    done = true;
    watcher.join();
    qint64 firstNew = -1;
    for (const auto& [at, pixel] : frames) {
      EXPECT_TRUE(near(pixel, colours[i - 1]) || near(pixel, colours[i]))
          << "an empty frame at " << at << " ms: " << std::hex << pixel;
      if (firstNew < 0 && near(pixel, colours[i])) firstNew = at;
    }
    std::printf("%dx%d: new picture first seen at %lld ms, old swaybg ended at %lld ms, %zu screenshots\n",
                sizes[i].width(), sizes[i].height(), static_cast<long long>(firstNew), static_cast<long long>(over),
                frames.size());
  }
}

}  // namespace
