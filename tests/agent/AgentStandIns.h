// What an agent under test works on besides its view and its desktop, which each test
// chooses: the parts the window would own and the outside world's stand-ins, in a folder of
// the test's own that holds the configuration file.
#pragma once

#include <QTemporaryDir>
#include <string>

#include "agent/Agent.h"
#include "agent/ScriptedRandom.h"
#include "support/FixedClock.h"
#include "support/FixedScreenMetrics.h"
#include "support/RecordingStarter.h"
#include "support/StandInDesktop.h"

struct TAgentStandIns {
  std::string IniPath() const { return (dir.path() + "/tesserine.INI").toStdString(); }
  TAgentWorld World(IDesktopWallpaper& desktop) {
    return {desktop, screen, screenSaver, clock, random, processes, (dir.path() + "/").toStdString(), IniPath()};
  }
  TAgentParts Parts(TBigIniFile& ini, IAgentView& view) {
    return {settings, list, ini, pictures, compositions, busy, view};
  }

  QTemporaryDir dir;
  TSettings settings;
  TImageList list;
  TPictureCache pictures;
  TCompositionCache compositions;
  TBusyCursor busy{[](bool) {}};
  TFixedScreenMetrics screen{QSize(64, 48)};
  TSwitchableScreenSaver screenSaver;
  TFixedClock clock;
  TScriptedRandom random{};
  TRecordingStarter processes;
};
