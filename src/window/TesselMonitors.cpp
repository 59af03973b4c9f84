// The wallpaper on several monitors: with "Next image on each" every monitor shows its own
// entry, made for its own size; with "One image across all" the current entry is made for
// the rectangle that holds every monitor and each monitor shows its part. The primary
// monitor's entry is the current one, as with one picture for all.
#include <QPushButton>
#include <optional>

#include "agent/MonitorPlan.h"
#include "wallpaper/FillColor.h"
#include "wallpaper/MonitorPictures.h"
#include "wallpaper/WallpaperApply.h"
#include "window/ImageListModel.h"
#include "window/Tessel.h"

void TTesselForm1::ChgMonitors(const std::vector<TMonitor>& monitors) {
  const QRgb fill = ColorFromTColor(FillColor());
  const bool each = Agent.Monitors != MonitorMode::Span;
  // An Apply changes the primary monitor only: the others keep their pictures. The further
  // monitors' pictures are made while this thread loads and makes the primary's.
  std::optional<TPictureJobs> further;
  if (each && WholeChange) further.emplace(PickFurtherSources(monitors), fill);
  ItemSelectUpdt();
  std::vector<QImage> pictures(monitors.size());
  if (!each) {
    ShownFurther.clear();
    const std::vector<QRect> rects = MonitorRects(monitors);
    const QRect span = SpanRect(rects);
    const QImage canvas = FillArea(Pictures.SourceBitmap(), CurrentDispObj(), span.size(), fill);
    for (std::size_t i = 0; i < monitors.size(); ++i) pictures[i] = PartOf(canvas, span, rects[i]);
  } else {
    pictures[0] = FillArea(Pictures.SourceBitmap(), CurrentDispObj(), monitors[0].rect.size(), fill);
    if (further) {
      std::vector<QImage> made = further->Take();
      std::move(made.begin(), made.end(), pictures.begin() + 1);
    }
  }
  // The hidden agent's pictures go before the desktop loads the converted files.
  ReleasePictures();
  ApplyToMonitors(monitors, pictures, Services.programFolder, Services.desktop);
}

std::vector<MonitorSource> TTesselForm1::PickFurtherSources(const std::vector<TMonitor>& monitors) {
  TMonitorPlan plan = HistoryStep
                          ? ReplayFurtherMonitors(ImageList(), *HistoryStep, monitors, DefDispObj())
                          : PlanFurtherMonitors(ImageList(), Agent.Order, monitors, CycleRemaining, Services.random);
  if (Agent.Order == DisplayOrder::RandomCycle) ListModel->EntriesChanged();
  if (plan.lastEntry >= 0) LastMonitorEntry = plan.lastEntry;
  ShownFurther.clear();
  for (const MonitorSource& source : plan.sources) ShownFurther.push_back(source.file);
  return std::move(plan.sources);
}
