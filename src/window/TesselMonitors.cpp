// The wallpaper on several monitors: with "Next image on each" every monitor shows its own
// entry, made for its own size; with "One image across all" the current entry is made for
// the rectangle that holds every monitor and each monitor shows its part. The primary
// monitor's entry is the current one, as with one picture for all.
#include <QPushButton>
#include <optional>

#include "agent/MonitorPicks.h"
#include "wallpaper/FillColor.h"
#include "wallpaper/MonitorPictures.h"
#include "wallpaper/WallpaperApply.h"
#include "window/ImageListModel.h"
#include "window/Tessel.h"

namespace {

std::vector<QRect> RectsOf(const std::vector<TMonitor>& monitors) {
  std::vector<QRect> rects;
  for (const TMonitor& monitor : monitors) rects.push_back(monitor.rect);
  return rects;
}

}  // namespace

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
    const std::vector<QRect> rects = RectsOf(monitors);
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
  TImageList& list = ImageList();
  const int current = list.FirstSelected();
  const TSelectionView view{list.Count(), current, [&list](int index) { return list.At(index).mark; }};
  const TMonitorPicks picks =
      PickFurtherEntries(Agent.Order, view, static_cast<int>(monitors.size()) - 1, CycleRemaining, Services.random);
  if (Agent.Order == DisplayOrder::RandomCycle) {
    // Marks of this change's picks stay when a cycle begins part-way through it.
    for (int i = 0; i < list.Count(); ++i) {
      const bool pickedNow =
          i == current || std::find(picks.indexes.begin(), picks.indexes.end(), i) != picks.indexes.end();
      if (picks.newCycle && !pickedNow) list.SetMark(i, 0);
    }
    for (const int index : picks.indexes) list.SetMark(index, 1);
    CycleRemaining = picks.cycleRemaining;
    ListModel->EntriesChanged();
  }
  std::vector<MonitorSource> sources;
  for (std::size_t i = 0; i < picks.indexes.size(); ++i) {
    const ImageEntry& entry = list.At(picks.indexes[i]);
    sources.push_back({entry.fileName, entry.disp, monitors[i + 1].rect.size()});
  }
  if (!picks.indexes.empty()) LastMonitorEntry = picks.indexes.back();
  return sources;
}
