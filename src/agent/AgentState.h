// The agent's state, apart from the window that shows it: whether it is paused, the record
// of the last change, and why the last change it made by itself failed. The tray menu's
// captions and the tray icon show this state; the tray, the scheduler and the change read
// and write it here.
#pragma once

#include <cstdint>
#include <string>

struct TAgentState {
  bool Paused = false;

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
