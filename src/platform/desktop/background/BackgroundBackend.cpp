#include "platform/desktop/background/BackgroundBackend.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>
#include <algorithm>
#include <stdexcept>
#include <utility>

#include "platform/desktop/sway/SwayBackend.h"
#include "platform/desktop/x11/RootPicture.h"
#include "platform/desktop/x11/RootPlacement.h"
#include "platform/system/DetachedProcess.h"
#include "platform/system/ProgramPath.h"

namespace {

// The program connects to the compositor and makes its surfaces before it listens.
constexpr int kStartMs = 10000;
constexpr int kPollMs = 20;
// Its exit code when another one already runs for the display (src/background/main.cpp).
constexpr int kAnotherRuns = 3;

QString DefaultProgram() {
  const QString beside =
      QFileInfo(QString::fromStdString(OwnExecutablePath())).absolutePath() + "/tesserine-background";
  if (QFileInfo(beside).isExecutable()) return beside;
  return TESSERINE_BUILT_BACKGROUND_PROGRAM;
}

QImage LoadPicture(const std::string& file) {
  if (file.empty()) return {};
  return QImage(QString::fromLocal8Bit(file.c_str()));
}

}  // namespace

TBackgroundBackend::TBackgroundBackend(QString program, QProcessEnvironment environment)
    : program_(program.isEmpty() ? DefaultProgram() : std::move(program)), environment_(std::move(environment)) {}

QString TBackgroundBackend::SocketPath() const {
  QString folder = environment_.value("XDG_RUNTIME_DIR");
  if (folder.isEmpty()) folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  QString display = environment_.value("WAYLAND_DISPLAY");
  display.replace('/', '_');
  return folder + "/tesserine-background-" + display;
}

std::unique_ptr<TBackgroundConnection> TBackgroundBackend::Start() {
  if (started_ > 0) ReapIfEnded(started_);
  pid_t pid = 0;
  try {
    pid = StartDetached(program_, {}, environment_);
    started_ = pid;
  } catch (const std::runtime_error& error) {
    ThrowBackendError(Name(), DesktopFailure::NotStarted, error.what());
  }
  bool ended = false;
  for (int waited = 0; waited < kStartMs; waited += kPollMs) {
    if (auto connection = TBackgroundConnection::Open(SocketPath())) return connection;
    // Another one that started meanwhile is as good as ours: its socket is awaited.
    if (const std::optional<int> code = ended ? std::nullopt : ExitWithin(pid, 0)) {
      if (*code != kAnotherRuns)
        ThrowBackendError(Name(), DesktopFailure::NotStarted,
                          "tesserine-background ended at once with exit code " + std::to_string(*code) +
                              ": the compositor may offer no layer shell");
      ended = true;
    }
    QThread::msleep(kPollMs);
  }
  ThrowBackendError(Name(), DesktopFailure::NotStarted, "tesserine-background did not open its socket in time");
}

std::unique_ptr<TBackgroundConnection> TBackgroundBackend::Connect() {
  if (environment_.value("WAYLAND_DISPLAY").isEmpty())
    ThrowBackendError(Name(), DesktopFailure::Unreachable, "WAYLAND_DISPLAY is not set");
  if (auto connection = TBackgroundConnection::Open(SocketPath())) return connection;
  return Start();
}

bool TBackgroundBackend::Show(const Compose& compose) {
  const std::chrono::milliseconds fade = std::exchange(fadeNext_, std::chrono::milliseconds(0));
  const std::unique_ptr<TBackgroundConnection> connection = Connect();
  try {
    const std::vector<BackgroundOutput> outputs = connection->Outputs();
    if (outputs.empty()) ThrowBackendError(Name(), DesktopFailure::Refused, "the compositor shows no output");
    std::vector<BackgroundPicture> pictures;
    for (const BackgroundOutput& output : outputs) {
      std::optional<QImage> picture = compose(output);
      if (!picture) return false;
      if (picture->isNull())
        ThrowBackendError(Name(), DesktopFailure::Refused,
                          "not enough memory for a " + std::to_string(output.size.width()) + " x " +
                              std::to_string(output.size.height()) + " picture");
      pictures.push_back({output.name, std::move(*picture)});
    }
    connection->Show(fade, pictures);
  } catch (const TBackgroundError& error) {
    ThrowBackendError(Name(), DesktopFailure::Refused, error.what());
  }
  KeepAboveSwaysBackground();
  return true;
}

// sway before 1.9 draws the newest surface of a layer beneath the older ones, so the swaybg
// that draws sway's own "output * bg" (started with sway, and again at each reload) covers
// ours. Asked to draw its background again, sway starts that swaybg anew, beneath our
// surfaces, where a plain black one is never seen. Later sways draw the newest surface on
// top, where ours already is.
void TBackgroundBackend::KeepAboveSwaysBackground() {
  const QString socket = environment_.value("SWAYSOCK");
  if (socket.isEmpty()) return;
  TSwayBackend sway(socket.toStdString());
  const std::optional<SwayVersion> version = sway.Version();
  if (!version || *version >= SwayVersion{1, 9}) return;
  try {
    sway.Apply({});
  } catch (const TDesktopError&) {
    // At worst sway's own background stays over ours, as it would without this.
  }
}

void TBackgroundBackend::Apply(const WallpaperValues& values) {
  const QImage picture = LoadPicture(values.file);
  Show([&](const BackgroundOutput& output) -> std::optional<QImage> {
    return ComposeRootPicture(picture, values.layout, output.size);
  });
  shown_ = values;
  shownMonitors_.clear();
}

bool TBackgroundBackend::ApplyFromMemory(const WallpaperValues& values, const WallpaperMemory& memory) {
  const bool part = memory.picture.size() != memory.whole;
  if (part && values.layout != WallpaperLayout::Center) return false;
  const bool shown = Show([&](const BackgroundOutput& output) -> std::optional<QImage> {
    if (part && !PartCoversMonitors(memory.picture.size(), memory.whole, output.size, {})) return std::nullopt;
    return ComposeRootPicture(memory.picture, values.layout, output.size);
  });
  if (!shown) return false;
  shown_ = values;
  shownMonitors_.clear();
  return true;
}

void TBackgroundBackend::ApplyMonitors(const std::vector<MonitorWallpaper>& monitors) {
  Show([&monitors](const BackgroundOutput& output) -> std::optional<QImage> {
    if (monitors.empty()) return ComposeRootPicture({}, WallpaperLayout::Stretch, output.size);
    const auto same = std::find_if(monitors.begin(), monitors.end(), [&output](const MonitorWallpaper& monitor) {
      return monitor.output == output.name;
    });
    const MonitorWallpaper& monitor = same != monitors.end() ? *same : monitors.front();
    return ComposeRootPicture(LoadPicture(monitor.file), WallpaperLayout::Stretch, output.size);
  });
  shown_.reset();
  shownMonitors_ = monitors;
}

void TBackgroundBackend::ScreensChanged() {
  fadeNext_ = std::chrono::milliseconds(0);
  if (shown_) {
    const WallpaperValues values = *shown_;
    Apply(values);
  } else if (!shownMonitors_.empty()) {
    const std::vector<MonitorWallpaper> monitors = shownMonitors_;
    ApplyMonitors(monitors);
  }
}
