#include "platform/DesktopWallpaper.h"

#include "platform/DesktopBackend.h"
#include "platform/DesktopValues.h"

TDesktopWallpaper::TDesktopWallpaper(std::unique_ptr<TDesktopValues> values, std::unique_ptr<IDesktopBackend> backend)
    : values_(std::move(values)), backend_(std::move(backend)) {}

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

void TDesktopWallpaper::Reload() {
  WallpaperValues values;
  values.file = values_->Get("Wallpaper").value_or("");
  values.layout =
      LayoutFromValues(values_->Get("WallpaperStyle").value_or("0"), values_->Get("TileWallpaper").value_or("0"));
  backend_->Apply(values);
}

void TDesktopWallpaper::ScreensChanged() { backend_->ScreensChanged(); }
