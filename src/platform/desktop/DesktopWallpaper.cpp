#include "platform/desktop/DesktopWallpaper.h"

#include <QByteArray>
#include <QList>
#include <utility>

#include "platform/desktop/DesktopBackend.h"
#include "platform/desktop/DesktopValues.h"

TDesktopWallpaper::TDesktopWallpaper(std::unique_ptr<TDesktopValues> values, std::unique_ptr<IDesktopBackend> backend,
                                     std::function<bool()> reducedMotion)
    : values_(std::move(values)), backend_(std::move(backend)), reducedMotion_(std::move(reducedMotion)) {}

TDesktopWallpaper::~TDesktopWallpaper() = default;

void TDesktopWallpaper::OpenKey() { values_->OpenKey(); }

void TDesktopWallpaper::SetValue(const std::string& name, const std::string& value) { values_->Set(name, value); }

std::optional<std::string> TDesktopWallpaper::GetValue(const std::string& name) {
  if (name == "Wallpaper" || name == "TileWallpaper") {
    if (const auto shown = backend_->Query()) {
      if (name == "Wallpaper") return shown->file;
      return std::string(shown->tiled ? "1" : "0");
    }
  }
  return values_->Get(name);
}

namespace {

// One monitor a line: output, x, y, width, height, file, separated by tabs (a file name
// holds no tab that the values file would keep).
const char kMonitorsValue[] = "Monitors";

std::string MonitorsText(const std::vector<MonitorWallpaper>& monitors) {
  std::string text;
  for (const MonitorWallpaper& m : monitors)
    text += m.output + '\t' + std::to_string(m.rect.x()) + '\t' + std::to_string(m.rect.y()) + '\t' +
            std::to_string(m.rect.width()) + '\t' + std::to_string(m.rect.height()) + '\t' + m.file + '\n';
  return text;
}

std::vector<MonitorWallpaper> MonitorsOf(const std::string& text) {
  std::vector<MonitorWallpaper> monitors;
  for (const QByteArray& line : QByteArray::fromStdString(text).split('\n')) {
    const QList<QByteArray> fields = line.split('\t');
    if (fields.size() < 6) continue;
    // The file is the rest of the line.
    monitors.push_back({fields[0].toStdString(),
                        QRect(fields[1].toInt(), fields[2].toInt(), fields[3].toInt(), fields[4].toInt()),
                        fields.mid(5).join('\t').toStdString()});
  }
  return monitors;
}

}  // namespace

WallpaperValues TDesktopWallpaper::ValuesToShow() {
  WallpaperValues values;
  values.file = values_->Get("Wallpaper").value_or("");
  values.darkFile = values_->Get("WallpaperDark").value_or("");
  values.layout =
      LayoutFromValues(values_->Get("WallpaperStyle").value_or("0"), values_->Get("TileWallpaper").value_or("0"));
  if (values_->Get(kMonitorsValue).value_or("") != "") values_->Set(kMonitorsValue, "");
  return values;
}

void TDesktopWallpaper::PassFade() {
  const std::chrono::milliseconds fade = std::exchange(fadeNext_, std::chrono::milliseconds(0));
  const bool reduced = fade.count() > 0 && reducedMotion_ && reducedMotion_();
  backend_->FadeNext(reduced ? std::chrono::milliseconds(0) : fade);
}

void TDesktopWallpaper::Reload() {
  PassFade();
  backend_->Apply(ValuesToShow());
}

bool TDesktopWallpaper::DrawsFromMemory() const { return backend_->DrawsFromMemory(); }

bool TDesktopWallpaper::ReloadFromMemory(const WallpaperMemory& memory) {
  if (!backend_->DrawsFromMemory()) return false;
  const std::chrono::milliseconds asked = fadeNext_;
  PassFade();
  const bool shown = backend_->ApplyFromMemory(ValuesToShow(), memory);
  // Not shown: the caller's Reload that follows is the hand-over the fade was asked for.
  if (!shown) {
    backend_->FadeNext(std::chrono::milliseconds(0));
    fadeNext_ = asked;
  }
  return shown;
}

void TDesktopWallpaper::ReloadMonitors(const std::vector<MonitorWallpaper>& monitors) {
  values_->Set(kMonitorsValue, MonitorsText(monitors));
  PassFade();
  backend_->ApplyMonitors(monitors);
}

std::vector<MonitorWallpaper> TDesktopWallpaper::RecordedMonitors() const {
  return MonitorsOf(values_->Get(kMonitorsValue).value_or(""));
}

void TDesktopWallpaper::ScreensChanged() { backend_->ScreensChanged(); }

bool TDesktopWallpaper::SwitchesSchemeItself() const { return backend_->SwitchesSchemeItself(); }

LockScreenReach TDesktopWallpaper::LockScreen() const { return backend_->LockScreen(); }

void TDesktopWallpaper::ShowOnLockScreen(const std::string& file) { backend_->ShowOnLockScreen(file); }

bool TDesktopWallpaper::Fading() const { return backend_->Fading(); }

void TDesktopWallpaper::FinishFade() { backend_->FinishFade(); }

void TDesktopWallpaper::WhenFadeDone(std::function<void()> done) { backend_->WhenFadeDone(std::move(done)); }
