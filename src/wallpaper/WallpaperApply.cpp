#include "wallpaper/WallpaperApply.h"

#include "picture/PictureFormat.h"
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

void ApplyToDesktop(const ApplyRequest& request, const std::function<const QImage&()>& picture,
                    IDesktopWallpaper& desktop, const std::function<void()>& pictureUsed) {
  const ApplyPlan plan = PlanApply(request);
  desktop.OpenKey();
  const QImage& source = picture();
  if (plan.convert) {
    try {
      WriteConverted(source, plan.stretchTo, request.convertFileName);
    } catch (...) {
      // A failed write leaves the previous converted file; the desktop is pointed at it anyway.
    }
  }
  if (pictureUsed) pictureUsed();
  desktop.SetValue("Wallpaper", plan.wallpaper);
  if (plan.style) desktop.SetValue("WallpaperStyle", *plan.style);
  desktop.SetValue("TileWallpaper", plan.tile);
  desktop.Reload();
}
