#include "platform/SwaybgWallpaper.h"

#include <sys/prctl.h>

#include <csignal>

#include "platform/FileNameText.h"
#include "platform/SwayCommand.h"

namespace {

constexpr int kStartMs = 5000;
constexpr int kStopMs = 3000;
// swaybg that cannot reach the compositor, or finds no layer-shell, ends within this time.
constexpr int kEarlyEndMs = 300;

}  // namespace

QStringList SwaybgArguments(const WallpaperValues& values) {
  if (values.file.empty()) return {"-o", "*", "-c", "#000000", "-m", "solid_color"};
  return {"-o", "*", "-i", FileNameAsText("swaybg", values.file), "-m", SwayBackgroundMode(values.layout)};
}

TSwaybgWallpaper::TSwaybgWallpaper(QString program, QProcessEnvironment environment)
    : program_(std::move(program)), environment_(std::move(environment)) {
  child_.setProcessEnvironment(environment_);
  child_.setProcessChannelMode(QProcess::ForwardedChannels);
  // Without the program the background would stay, and the next start would add a second one.
  child_.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
}

TSwaybgWallpaper::~TSwaybgWallpaper() { Stop(); }

void TSwaybgWallpaper::Stop() {
  if (child_.state() == QProcess::NotRunning) return;
  child_.terminate();
  if (!child_.waitForFinished(kStopMs)) {
    child_.kill();
    child_.waitForFinished(kStopMs);
  }
}

void TSwaybgWallpaper::Apply(const WallpaperValues& values) {
  if (environment_.value("WAYLAND_DISPLAY").isEmpty()) ThrowBackendError(Name(), "WAYLAND_DISPLAY is not set");
  const QStringList arguments = SwaybgArguments(values);
  Stop();
  child_.start(program_, arguments);
  if (!child_.waitForStarted(kStartMs))
    ThrowBackendError(Name(), "cannot start " + program_.toStdString() + ": " + child_.errorString().toStdString());
  if (child_.waitForFinished(kEarlyEndMs))
    ThrowBackendError(Name(), "swaybg ended at once with exit code " + std::to_string(child_.exitCode()));
  shown_ = {values.file, values.layout == WallpaperLayout::Tile};
}

std::optional<ShownWallpaper> TSwaybgWallpaper::Query() {
  if (child_.state() != QProcess::Running) return std::nullopt;
  return shown_;
}
