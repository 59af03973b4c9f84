// The agent's state, apart from the window that shows it: whether it is paused, what a
// click on its tray icon does, the display order it picks the next entry in, and the record
// of the last change. The tray menu's captions, the tray icon and the pages' controls show
// this state and write a user's choice into it; the tray, the scheduler and the selection
// order read it from here.
#pragma once

#include <cstdint>
#include <string>

#include "config/ConfigValues.h"

// The items of the "Click on System Tray icon" list, by item index.
enum class TrayClickAction { None = -1, OpenProperties = 0, NextImage = 1, RemoveImage = 2, PauseResume = 3 };

// The action at an item index of that list; an index outside 0..3 (no item chosen, or a
// number from a hand-edited file) is None, for which a left click does nothing.
TrayClickAction TrayClickActionAt(int itemIndex);

struct TAgentState {
  bool Paused = false;
  TrayClickAction ClickAction = TrayClickAction::OpenProperties;
  DisplayOrder Order = DisplayOrder::Sequential;
  MonitorMode Monitors = MonitorMode::Same;

  // The last change, kept in section "Info" of the configuration: the applied entry's file
  // name and method text, when it was applied, the program runs counted since, and whether
  // this run has been counted yet.
  std::string LastImageNm;
  std::string LastDispStr;
  double LastChgDateTime = 0;
  std::int32_t ExecSinceChg = 0;
  bool ExecCounted = false;

  // Why the last change the agent made by itself failed; empty once a change succeeds. The
  // agent tells the user without a box and goes on with its schedule.
  std::string ChangeFailure;

  // The caption of the tray menu item that pauses and resumes the agent.
  const char* PauseCaption() const { return Paused ? "Resume" : "Pause"; }
  // An entry was applied now: the change is the scheduler's new reference and counts as
  // this run's execution. LastDispStr follows once the method is known.
  void RecordChange(const std::string& imageName, double now);
};
