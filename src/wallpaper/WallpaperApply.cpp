#include "wallpaper/WallpaperApply.h"

#include <QFile>
#include <algorithm>
#include <future>

#include "picture/PictureFormat.h"
#include "picture/PictureLoader.h"
#include "wallpaper/Compositions.h"
#include "wallpaper/ConvertedBitmap.h"

ApplyPlan PlanApply(const ApplyRequest& request) {
  const DispAttr attr = DispTypeAttr(request.code);
  ApplyPlan plan;
  // Only a Windows bitmap is handed to the desktop untouched; every decoded format is
  // written as the converted bitmap, so transparency shows over black on every desktop.
  plan.convert = PictureFormatOf(request.name) != PictureFormat::Bitmap || attr.needsConvert;
  if (plan.convert && attr.isStretch && !request.plusInstalled) plan.stretchTo = request.screenSize;
  plan.wallpaper = plan.convert ? request.convertFileName : request.name;
  if (!attr.isTile) plan.style = attr.isStretch && request.plusInstalled ? "2" : "0";
  plan.tile = attr.isTile ? "1" : "0";
  return plan;
}

std::optional<TDecodeTarget> DecodeTargetFor(const ApplyRequest& request) {
  const ApplyPlan plan = PlanApply(request);
  if (!plan.stretchTo) return std::nullopt;
  return TDecodeTarget{*plan.stretchTo, request.code == DispObj::RatioStretch};
}

std::optional<TDecodeTarget> CenterTargetFor(const ApplyRequest& request, QSize largestMonitor) {
  if (request.code != DispObj::Center || !PlanApply(request).convert) return std::nullopt;
  return TDecodeTarget{largestMonitor, false, DecodeUse::Centred};
}

QSize LargestMonitor(const std::vector<TMonitor>& monitors, QSize screen) {
  if (monitors.empty()) return screen;
  QSize largest(0, 0);
  for (const TMonitor& monitor : monitors) largest = largest.expandedTo(monitor.rect.size());
  return largest;
}

namespace {

// A failed write leaves the previous converted file; the desktop is pointed at it anyway.
void IgnoringErrors(const std::function<void()>& write) {
  try {
    write();
  } catch (...) {
  }
}

void StoreValues(const ApplyPlan& plan, IDesktopWallpaper& desktop) {
  desktop.SetValue("Wallpaper", plan.wallpaper);
  if (plan.style) desktop.SetValue("WallpaperStyle", *plan.style);
  desktop.SetValue("TileWallpaper", plan.tile);
}

// The converted file's picture, stretched once for both the screen and the file; null for a
// picture with transparency, which the 24-bit file would not give back as it is, and for
// one that cannot be stretched, whose write then fails as it always did.
QImage ConvertedPicture(const QImage& source, const ApplyPlan& plan) {
  if (source.isNull() || source.format() != QImage::Format_RGB32) return {};
  try {
    return StretchPicture(source, plan.stretchTo);
  } catch (...) {
    return {};
  }
}

}  // namespace

void ApplyToDesktop(const ApplyRequest& request, const std::function<const QImage&()>& picture,
                    IDesktopWallpaper& desktop, const std::function<void()>& pictureUsed, const TPartOfPicture& part) {
  const ApplyPlan plan = PlanApply(request);
  desktop.OpenKey();
  const QImage& source = picture();
  const QSize wholeSize = part.wholeSize ? part.wholeSize() : QSize();
  const bool isPart = !wholeSize.isEmpty() && wholeSize != source.size();
  // What the screen showed is written as it is, while the desktop takes the same pixels (both
  // only read them, and the screen does not wait for the disk); a part goes before the whole
  // picture is decoded into the file.
  QImage converted;
  std::future<void> writing;
  const auto writeFile = [&] {
    if (isPart) {
      if (pictureUsed) pictureUsed();
      IgnoringErrors([&] { part.writeWhole(request.convertFileName); });
      return;
    }
    if (writing.valid()) {
      writing.wait();
      if (pictureUsed) pictureUsed();
      return;
    }
    if (plan.convert) IgnoringErrors([&] { WriteConverted(source, plan.stretchTo, request.convertFileName); });
    if (pictureUsed) pictureUsed();
  };
  if (!plan.convert || !desktop.DrawsFromMemory()) {
    writeFile();
    StoreValues(plan, desktop);
    desktop.Reload();
    return;
  }
  bool shown = false;
  try {
    StoreValues(plan, desktop);
    converted = ConvertedPicture(source, plan);
    if (!converted.isNull()) {
      if (!isPart)
        writing = std::async(std::launch::async, [&converted, &request] {
          IgnoringErrors([&] { WriteConverted(converted, std::nullopt, request.convertFileName); });
        });
      shown = desktop.ReloadFromMemory({converted, plan.stretchTo || !isPart ? converted.size() : wholeSize});
    }
  } catch (...) {
    writeFile();
    throw;
  }
  writeFile();
  if (!shown) desktop.Reload();
}

std::string WriteVariantFile(const ApplyRequest& request, QRgb fill) {
  const ApplyPlan plan = PlanApply(request);
  if (!plan.convert) return plan.wallpaper;
  try {
    QImage picture = LoadPicture(request.name);
    if (picture.isNull()) return {};
    if (IsSpecial(request.code)) picture = ComposeSpecial(picture, request.code, fill, request.screenSize);
    WriteConverted(picture, plan.stretchTo, request.convertFileName);
  } catch (const std::exception&) {
    return {};
  }
  return plan.wallpaper;
}

std::string MonitorConvertFileName(const std::string& folder, std::size_t index) {
  const std::string primary = ConvertFileName(folder);
  if (index == 0) return primary;
  return primary.substr(0, primary.size() - 4) + " " + std::to_string(index + 1) + ".BMP";
}

bool IsMonitorConvertFileName(const std::string& folder, const std::string& path) {
  const std::string primary = MonitorConvertFileName(folder, 0);
  if (path == primary) return true;
  // "<primary without .BMP> <number>.BMP", the number 2 or more.
  const std::string stem = primary.substr(0, primary.size() - 4) + " ";
  if (path.size() <= stem.size() + 4 || path.compare(0, stem.size(), stem) != 0 ||
      path.compare(path.size() - 4, 4, ".BMP") != 0)
    return false;
  const std::string number = path.substr(stem.size(), path.size() - stem.size() - 4);
  return number.find_first_not_of("0123456789") == std::string::npos && number[0] != '0' && number != "1";
}

void RemoveMonitorFiles(const std::string& folder, std::size_t index) {
  // Numbers are given in order, so the first missing file ends the run.
  for (std::size_t i = std::max<std::size_t>(index, 1);; ++i) {
    const QString file = QFile::decodeName(QByteArray::fromStdString(MonitorConvertFileName(folder, i)));
    if (!QFile::exists(file)) break;
    QFile::remove(file);
  }
}

void ApplyToMonitors(const std::vector<TMonitor>& monitors, const std::vector<QImage>& pictures,
                     const std::string& folder, IDesktopWallpaper& desktop) {
  desktop.OpenKey();
  const std::vector<MonitorWallpaper> recorded = desktop.RecordedMonitors();
  std::vector<MonitorWallpaper> shown;
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    const TMonitor& monitor = monitors[i];
    std::string file = MonitorConvertFileName(folder, i);
    if (i < pictures.size() && !pictures[i].isNull()) {
      WriteConverted(pictures[i], std::nullopt, file);
    } else {
      const auto same = std::find_if(recorded.begin(), recorded.end(), [&monitor](const MonitorWallpaper& m) {
        return m.output == monitor.name && m.rect == monitor.rect;
      });
      file = same != recorded.end() ? same->file : MonitorConvertFileName(folder, 0);
    }
    shown.push_back({monitor.name, monitor.rect, file});
  }
  RemoveMonitorFiles(folder, monitors.size());
  desktop.SetValue("Wallpaper", shown.empty() ? std::string() : shown.front().file);
  desktop.SetValue("WallpaperStyle", "0");
  desktop.SetValue("TileWallpaper", "0");
  desktop.ReloadMonitors(shown);
}
