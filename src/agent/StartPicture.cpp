#include "agent/StartPicture.h"

#include "agent/MonitorPlan.h"
#include "config/ConfigKeys.h"
#include "imagelist/ImageList.h"
#include "imagelist/ListEdits.h"
#include "imagelist/ListFile.h"
#include "wallpaper/DispMethods.h"
#include "wallpaper/MonitorPictures.h"

ApplyRequest WallpaperRequest(const std::string& name, DispObj code, const TSettings& settings,
                              const std::string& convertFileName, QSize screenSize) {
  return {name, code, settings.PlusInstalled, convertFileName, screenSize};
}

std::optional<TDecodeTarget> HiddenAgentDecodeTarget(const ApplyRequest& request, MonitorMode mode,
                                                     const std::vector<TMonitor>& monitors, bool drawsFromMemory) {
  if (PicturePerMonitor(mode, monitors.size())) {
    // The primary monitor's picture, or the picture across all of them.
    const QSize area =
        mode == MonitorMode::Span ? SpanRect(MonitorRects(monitors)).size() : monitors.front().rect.size();
    return AreaDecodeTarget(request.code, area);
  }
  if (std::optional<TDecodeTarget> stretch = DecodeTargetFor(request)) return stretch;
  if (!drawsFromMemory) return std::nullopt;
  return CenterTargetFor(request, LargestMonitor(monitors, request.screenSize));
}

std::optional<TPictureRequest> StartPicture(const TBigIniFile& ini, const TRunDefaults& defaults,
                                            const TStartScreen& screen) {
  const TInfoReader info(ini, defaults);
  // The settings the load shows in a window just made.
  const TSettings settings = LoadedSettings(info, TSettings());
  if (!settings.OpenMinimized) return std::nullopt;
  TImageList list;
  list.SetSorted(settings.SortImages);
  list.BeginUpdate();
  LoadBitmaps(
      list, ini,
      [&](const std::string& name, const std::string& value) {
        return ReadStoredDisp(ini, name, value, settings.RandomCycle(), settings.DefaultDisplay);
      },
      [] {});
  list.EndUpdate();
  const int chosen = StartEntry(list, screen.wallpaper, info.Text(InfoKey::LastImageNm));
  if (chosen < 0) return std::nullopt;
  const ImageEntry& entry = list.At(chosen);
  const ApplyRequest request = WallpaperRequest(entry.fileName, entry.disp, settings, std::string(), screen.screenSize);
  const std::optional<TDecodeTarget> target =
      HiddenAgentDecodeTarget(request, settings.Monitors, screen.monitors, screen.drawsFromMemory);
  if (!target) return std::nullopt;
  return TPictureRequest{entry.fileName, *target};
}
