// The main window's side of applying a wallpaper: reads the entry, the options and the
// screen, and hands them to ApplyToDesktop; records the change in memory and in the
// configuration; on a new monitor layout, has the desktop redraw and remakes the
// program-stretched wallpaper.
#include <QCheckBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScreen>
#include <QTimer>
#include <QTreeView>

#include "agent/MonitorPlan.h"
#include "agent/StartPicture.h"
#include "config/BigIni.h"
#include "config/ConfigKeys.h"
#include "config/DateTimeText.h"
#include "platform/screen/ScreenMetrics.h"
#include "platform/system/Clock.h"
#include "wallpaper/ConvertedBitmap.h"
#include "wallpaper/FillColor.h"
#include "wallpaper/WallpaperApply.h"
#include "window/ImageListModel.h"
#include "window/Tessel.h"

void TTesselForm1::ChgBackground() {
  const auto changed = qScopeGuard([this] { ChangedSinceTrim = true; });
  if (Agent.Monitors != MonitorMode::Same) {
    const std::vector<TMonitor> monitors = Services.screen.Monitors();
    if (PicturePerMonitor(Agent.Monitors, monitors.size())) {
      ChgMonitors(monitors);
      return;
    }
  }
  LastMonitorEntry = -1;
  ShownFurther.clear();
  RemoveMonitorFiles(Services.programFolder, 1);
  const ApplyRequest request{CurrentFileName(), CurrentDispObj(), PlusInstalled->isChecked(), ConvertFileName,
                             Services.screen.ScreenSize()};
  const auto picture = [this, &request]() -> const QImage& {
    ItemSelectUpdt();
    if (!IsSpecial(request.code)) return Pictures.SourceBitmap();
    return CompositionCache.CurrSpecial(Pictures.SourceName(), Pictures.SourceBitmap(), CurrentDispObj(),
                                        ColorFromTColor(FillColor()), Services.screen.ScreenSize(), Busy);
  };
  // The centred part the hidden agent decoded has shown; the converted file gets the whole.
  const TPartOfPicture part{[this] { return Pictures.HoldsPart() ? Pictures.FileSize() : QSize(); },
                            [&request](const std::string& path) { WritePictureConverted(request.name, path); }};
  // The hidden agent's pictures go before the desktop loads the converted file, so a
  // large composition is not held twice.
  ApplyToDesktop(
      request, picture, Services.desktop, [this] { ReleasePictures(); }, part);
}

std::optional<TDecodeTarget> TTesselForm1::WallpaperDecodeTarget() {
  if (!AgentRunning) return std::nullopt;
  const ApplyRequest request{CurrentFileName(), CurrentDispObj(), PlusInstalled->isChecked(), ConvertFileName,
                             Services.screen.ScreenSize()};
  return HiddenAgentDecodeTarget(request, Agent.Monitors, Services.screen.Monitors(),
                                 Services.desktop.DrawsFromMemory());
}

void TTesselForm1::UpdtBackground() {
  Agent.RecordChange(CurrentFileName(), Services.clock.Now());
  ChgBackground();
  ChangeSucceeded();
  RecordInHistory();
  // Going back shows an earlier change again: the cycle's marks stay as they are.
  if (Agent.Order == DisplayOrder::RandomCycle && !HistoryStep) {
    TImageList& list = ImageList();
    if (const int current = list.FirstSelected(); current >= 0) {
      list.SetMark(current, 1);
      ListModel->EntriesChanged();
    }
    ResetMarked->setEnabled(true);
    Change(nullptr);
  }
  Agent.LastDispStr = DispObjToStr(CurrentDispObj());
  TBigIniFile& ini = *BigIni;
  ini.WriteInteger(InfoSection, InfoKey::ExecSinceChg.name, 0);
  ini.WriteString(InfoSection, InfoKey::LastImageNm.name, Agent.LastImageNm);
  ini.WriteString(InfoSection, InfoKey::LastDispStr.name, Agent.LastDispStr);
  ini.WriteString(InfoSection, InfoKey::LastChgDateTime.name, DateTimeToText(Agent.LastChgDateTime));
  // Folders the system cannot watch are read again at each change instead.
  if (FolderWatch && FolderWatch->WatchIncomplete()) FolderWatch->RescanAll();
  SetHint();
  AnnounceStatus();
}

void TTesselForm1::ApplyClick(QObject*) {
  {
    const auto busy = BusySection(Busy);
    UpdtBackground();
  }
  ListView1->setFocus();
  ScrollIntoView(ImageList().FirstSelected());
}

void TTesselForm1::WMDisplayChange() {
  if (!AgentRunning) return;
  // Pictures made for each monitor are made again for the new layout (the primary's entry,
  // the others' kept where their monitor is), so a desktop's canvas of the layout follows.
  const bool perMonitor = PicturePerMonitor(Agent.Monitors, Services.screen.Monitors().size());
  if (!RemakeOnNewLayout(perMonitor, PlusInstalled->isChecked(), Agent.LastDispStr)) return;
  Pictures.Clear();
  const auto release = qScopeGuard([this] { ReleasePictures(); });
  ChgBackground();
}

// Adding or removing a monitor arrives as a burst of signals (a screen added, the primary
// changed, another removed); one redraw follows the whole burst. A monitor that moves counts
// too: the X root draws the wallpaper at each monitor's place.
void TTesselForm1::WatchDisplayChanges() {
  auto* pending = new QTimer(this);
  pending->setSingleShot(true);
  pending->setInterval(0);
  connect(pending, &QTimer::timeout, this, [this] {
    // Nobody asked for these changes: while the agent runs they wait for no answer.
    const auto run = [this](const std::function<void()>& change) {
      if (AgentRunning)
        RunUnattended(change);
      else
        RunReportingErrors(change);
    };
    run([this] { Services.desktop.ScreensChanged(); });
    run([this] { WMDisplayChange(); });
  });
  const auto watch = [this, pending](QScreen* screen) {
    connect(screen, &QScreen::geometryChanged, pending, qOverload<>(&QTimer::start));
  };
  for (QScreen* screen : QGuiApplication::screens()) watch(screen);
  connect(qApp, &QGuiApplication::screenAdded, this, [watch, pending](QScreen* screen) {
    watch(screen);
    pending->start();
  });
  connect(qApp, &QGuiApplication::screenRemoved, pending, qOverload<>(&QTimer::start));
  connect(qApp, &QGuiApplication::primaryScreenChanged, pending, qOverload<>(&QTimer::start));
}
