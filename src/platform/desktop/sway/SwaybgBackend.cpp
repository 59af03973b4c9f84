#include "platform/desktop/sway/SwaybgBackend.h"

#include <QStandardPaths>
#include <stdexcept>
#include <system_error>

#include "platform/desktop/sway/SwayCommand.h"
#include "platform/desktop/sway/SwaybgRecord.h"
#include "platform/system/DetachedProcess.h"
#include "platform/system/FileNameText.h"

namespace {

// swaybg that cannot reach the compositor, or finds no layer-shell, ends within this time.
constexpr int kEarlyEndMs = 300;
// swaybg decodes and scales the picture, draws it and then sleeps waiting for events: once it
// has slept this long without using the processor, its picture is on the screen.
constexpr int kQuietMs = 150;
// The old swaybg goes after this long at the latest, drawn or not.
constexpr int kDrawMs = 5000;
constexpr int kStopMs = 3000;

}  // namespace

QStringList SwaybgArguments(const WallpaperValues& values) {
  if (values.file.empty()) return {"-o", "*", "-c", "#000000", "-m", "solid_color"};
  return {"-o", "*", "-i", FileNameAsText("swaybg", values.file), "-m", SwayBackgroundMode(values.layout)};
}

QStringList SwaybgMonitorArguments(const std::vector<MonitorWallpaper>& monitors) {
  QStringList arguments;
  for (const MonitorWallpaper& monitor : monitors)
    arguments << "-o" << QString::fromStdString(monitor.output) << "-i" << FileNameAsText("swaybg", monitor.file)
              << "-m"
              << "stretch";
  return arguments;
}

TSwaybgBackend::TSwaybgBackend(QString program, QProcessEnvironment environment)
    : program_(std::move(program)), environment_(std::move(environment)) {}

QString TSwaybgBackend::RecordPath() const {
  QString folder = environment_.value("XDG_RUNTIME_DIR");
  if (folder.isEmpty()) folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  QString display = environment_.value("WAYLAND_DISPLAY");
  display.replace('/', '_');
  return folder + "/tesserine-swaybg-" + display;
}

void TSwaybgBackend::Apply(const WallpaperValues& values) { Show(SwaybgArguments(values)); }

void TSwaybgBackend::ApplyMonitors(const std::vector<MonitorWallpaper>& monitors) {
  Show(SwaybgMonitorArguments(monitors));
}

void TSwaybgBackend::Show(const QStringList& arguments) {
  if (environment_.value("WAYLAND_DISPLAY").isEmpty())
    ThrowBackendError(Name(), DesktopFailure::Unreachable, "WAYLAND_DISPLAY is not set");
  const QString recordPath = RecordPath();
  const std::optional<TSwaybgRecord> old = ReadSwaybgRecord(recordPath);
  if (old) ReapIfEnded(old->pid);

  pid_t pid = 0;
  try {
    pid = StartDetached(program_, arguments, environment_);
  } catch (const std::runtime_error& error) {
    ThrowBackendError(Name(), DesktopFailure::NotStarted, error.what());
  }
  if (const std::optional<int> code = ExitWithin(pid, kEarlyEndMs))
    ThrowBackendError(
        Name(), DesktopFailure::NotStarted,
        "it ended at once with exit code " + std::to_string(*code) + ": the compositor may offer no layer-shell");
  WaitUntilQuiet(pid, kQuietMs, kDrawMs);
  try {
    WriteSwaybgRecord(recordPath, {pid, CommandLineOf(pid), arguments});
  } catch (const std::system_error& error) {
    // A swaybg nobody remembers would stay under every later one.
    EndProcess(pid, kStopMs);
    ThrowBackendError(
        Name(), DesktopFailure::NotStarted,
        "which swaybg is ours cannot be recorded in " + recordPath.toStdString() + ": " + error.code().message());
  }
  if (old && old->pid != pid && StillRunning(*old)) EndProcess(old->pid, kStopMs);
}

std::optional<ShownWallpaper> TSwaybgBackend::Query() {
  const std::optional<TSwaybgRecord> record = ReadSwaybgRecord(RecordPath());
  if (!record) return std::nullopt;
  ReapIfEnded(record->pid);
  if (!StillRunning(*record)) return std::nullopt;
  return ShownBy(record->arguments);
}
