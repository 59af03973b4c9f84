// The wallpaper on several monitors: with "Next image on each" every monitor shows its own
// entry, made for its own size; with "One image across all" the current entry is made for
// the rectangle that holds every monitor and each monitor shows its part. The primary
// monitor's entry is the current one, as with one picture for all.
#include <QPushButton>

#include "agent/MonitorPicks.h"
#include "picture/PictureLoader.h"
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
  ItemSelectUpdt();
  std::vector<QImage> pictures(monitors.size());
  if (Agent.Monitors == MonitorMode::Span) {
    const std::vector<QRect> rects = RectsOf(monitors);
    const QRect span = SpanRect(rects);
    const QImage canvas = FillArea(Pictures.SourceBitmap(), CurrentDispObj(), span.size(), fill);
    for (std::size_t i = 0; i < monitors.size(); ++i) pictures[i] = PartOf(canvas, span, rects[i]);
  } else {
    pictures[0] = FillArea(Pictures.SourceBitmap(), CurrentDispObj(), monitors[0].rect.size(), fill);
    // An Apply changes the primary monitor only: the others keep their pictures.
    if (WholeChange) ShowFurtherEntries(monitors, pictures, fill);
  }
  // The hidden agent's pictures go before the desktop loads the converted files.
  ReleasePictures();
  ApplyToMonitors(monitors, pictures, Services.programFolder, Services.desktop);
}

void TTesselForm1::ShowFurtherEntries(const std::vector<TMonitor>& monitors, std::vector<QImage>& pictures, QRgb fill) {
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
  for (std::size_t i = 0; i < picks.indexes.size(); ++i) {
    const ImageEntry& entry = list.At(picks.indexes[i]);
    pictures[i + 1] = FillArea(LoadPicture(entry.fileName), entry.disp, monitors[i + 1].rect.size(), fill);
  }
  if (!picks.indexes.empty()) LastMonitorEntry = picks.indexes.back();
}
