// One of each service the main window takes from outside (TFormServices), every one under
// the caller's control: message boxes answered from a script, a fixed screen, a desktop that
// only remembers its values, a screen saver that runs when told, a clock that moves when
// told, a random source and an Add dialog that give what they are set to give, and a
// starter that records the programs it was asked to start. The window tests, the agent's
// tests, the screenshots tool and the image-list benchmark all build their window on it.
// Screen and Random put other stand-ins in place of the fixed screen and the first-choice random source (the real
// screen, a scripted random source).
#pragma once

#include <string>

#include "support/FirstRandom.h"
#include "support/FixedClock.h"
#include "support/FixedScreenMetrics.h"
#include "support/RecordingStarter.h"
#include "support/ScriptedAddDialog.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/StandInDesktop.h"
#include "window/FormServices.h"

template <class Screen = TFixedScreenMetrics, class Random = TFirstRandom>
struct TStandInServicesOf {
  // The services of a window whose program folder (ending in "/") and configuration file
  // are the ones given.
  TFormServices Services(const std::string& programFolder, const std::string& configFileName) {
    return {messages, screen, desktop, screenSaver, clock, random, addDialog, processes, programFolder, configFileName};
  }

  TScriptedMessageBoxes messages;
  Screen screen;
  TMemoryDesktop desktop;
  TSwitchableScreenSaver screenSaver;
  TFixedClock clock;
  Random random{};
  TScriptedAddDialog addDialog;
  TRecordingStarter processes;
};

using TStandInServices = TStandInServicesOf<>;
