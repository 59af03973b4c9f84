// The main window's side of applying a wallpaper: reads the entry, the options and the
// screen, and hands them to ApplyToDesktop; records the change in memory and in the
// configuration; follows the primary screen's size for the program-stretched wallpaper.
#include <QCheckBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTreeView>

#include "app/Tessel.h"
#include "config/BigIni.h"
#include "config/ConfigKeys.h"
#include "config/DateTimeText.h"
#include "imagelist/ImageListModel.h"
#include "platform/Clock.h"
#include "platform/ScreenMetrics.h"
#include "wallpaper/FillColor.h"
#include "wallpaper/WallpaperApply.h"

void TTesselForm1::ChgBackground() {
  const ApplyRequest request{CurrentFileName(), CurrentDispObj(), PlusInstalled->isChecked(), ConvertFileName,
                             Services.screen.ScreenSize()};
  const auto picture = [this, &request]() -> const QImage& {
    ItemSelectUpdt();
    if (!IsSpecial(request.code)) return Pictures.SourceBitmap();
    return CompositionCache.CurrSpecial(Pictures.SourceName(), Pictures.SourceBitmap(), CurrentDispObj(),
                                        ColorFromTColor(FillColor()), Services.screen.ScreenSize(), Busy);
  };
  ApplyToDesktop(request, picture, Services.desktop);
}

void TTesselForm1::UpdtBackground() {
  LastImageNm = CurrentFileName();
  LastChgDateTime = Services.clock.Now();
  ExecSinceChg = 0;
  ExecCounted = true;
  ChgBackground();
  if (orderRandomCycle->isChecked()) {
    TImageList& list = ImageList();
    if (const int current = list.FirstSelected(); current >= 0) {
      list.SetMark(current, 1);
      ListModel->EntriesChanged();
    }
    ResetMarked->setEnabled(true);
    Change(nullptr);
  }
  LastDispStr = DispObjToStr(CurrentDispObj());
  TBigIniFile& ini = *BigIni;
  ini.WriteInteger(InfoSection, InfoKey::ExecSinceChg.name, 0);
  ini.WriteString(InfoSection, InfoKey::LastImageNm.name, LastImageNm);
  ini.WriteString(InfoSection, InfoKey::LastDispStr.name, LastDispStr);
  ini.WriteString(InfoSection, InfoKey::LastChgDateTime.name, DateTimeToText(LastChgDateTime));
  SetHint();
}

void TTesselForm1::ApplyClick(QObject*) {
  {
    BusyScope busy(Busy);
    UpdtBackground();
  }
  ListView1->setFocus();
  ScrollIntoView(ImageList().FirstSelected());
}

void TTesselForm1::WMDisplayChange() {
  if (!AgentRunning || PlusInstalled->isChecked() || LastDispStr != "STRETCH") return;
  Pictures.Clear();
  ChgBackground();
}

// Qt reports screen changes outside event delivery, so errors are shown here rather than
// by the application's handler.
void TTesselForm1::WatchDisplayChanges() {
  const auto changed = [this] { RunReportingErrors([this] { WMDisplayChange(); }); };
  const auto watch = [this, changed](QScreen* screen) {
    connect(screen, &QScreen::geometryChanged, this,
            [screen, changed, size = screen->size()](const QRect& geometry) mutable {
              const bool resized = geometry.size() != size;
              size = geometry.size();
              if (resized && screen == QGuiApplication::primaryScreen()) changed();
            });
  };
  for (QScreen* screen : QGuiApplication::screens()) watch(screen);
  connect(qApp, &QGuiApplication::screenAdded, this, watch);
  connect(qApp, &QGuiApplication::primaryScreenChanged, this, changed);
}
