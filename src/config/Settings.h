// The settings of section "Info" as values: what the pages show and edit, what the agent,
// the start and the save read.
//
// Data flow: each control of the pages writes its setting here whenever its value changes,
// whether the user or the program changed it (the load sets the controls one step after
// another, and each step reaches the settings as the user's edit would); nothing reads a
// setting back from a control. LoadedSettings gives the values a load of the file shows, by
// the value rules of each control; SaveClick writes Value(key) of every setting key. The
// number fields are kept as their text, so a field the user emptied still fails the tick and
// stops the save at its key, as the field itself would.
#pragma once

#include <cstdint>
#include <string>

#include "config/ConfigValues.h"
#include "config/SettingsIo.h"

struct TSettings {
  // "Default Directory": the Add dialog's initial folder, and the first file chosen in it
  // during this run.
  std::string AddDialogFolder;
  std::string AddLastFile;
  DisplayOrder Order = DisplayOrder::Sequential;
  // The Image Explorer's folder.
  std::string ImgMgrDirectory;
  TriggerMeasure Measure = TriggerMeasure::Days;
  DispObj DefaultDisplay = DispObj::Tile;
  // None when the box shows no item.
  DispObj ExceptDefaultDisplay = DispObj::Tile;
  std::string ExceptWidth = "0";
  std::string ExceptHeight = "0";
  bool ExceptEnabled = false;
  std::int32_t IMSplitter = 305;
  TrayClickAction ClickAction = TrayClickAction::OpenProperties;
  bool ConfirmRemove = true;
  // 0x00BBGGRR, negative for system colours.
  std::int32_t FillColor = 0;
  std::string TriggerQty = "1";
  std::string AutoCloseMinutes = "1";
  bool AutoClose = false;
  bool OpenMinimized = false;
  bool PlusInstalled = false;
  bool SortImages = true;
  MonitorMode Monitors = MonitorMode::Same;
  // "Fade Milliseconds" as the file holds it: a value outside 0..10000 is used held to that
  // range (FadeTime) and kept as it stands until the user edits it.
  std::int32_t FadeMilliseconds = 500;
  // "Lock Screen": each change also sets the lock screen's wallpaper, where the lock screen
  // keeps a picture of its own; kept as it stands where it shows the desktop's already.
  bool LockScreen = false;
  // "Run After Change": a shell command run after each change that shows another picture;
  // empty for none.
  std::string RunAfterChange;

  // The folder of the last file chosen in the Add dialog, else its initial folder.
  std::string DefaultDirectory() const;
  // The text code of the default method.
  std::string DefDispStr() const;
  bool RandomCycle() const { return Order == DisplayOrder::RandomCycle; }
  // The value a save writes for a setting key; throws TConvertError for a number field that
  // holds no integer and std::logic_error for a state key.
  TKeyValue Value(const ConfigKey& key) const;
};

// What the load gives each setting, as the controls take the file's values: the number fields
// held to the up-down range ("Trigger Qty" 0 as 1), the enumerated texts parsed, a method text
// matched in any letter case, the tray-click number as the list's item. What the load leaves
// comes from before: a method text no item matches keeps the method chosen, and
// "Except:Enabled" and the Add dialog's last file are never read.
TSettings LoadedSettings(const TInfoReader& info, const TSettings& before);

// The fade of a change that shows another picture: FadeMilliseconds held to 0..10000.
std::int32_t FadeTime(const TSettings& settings);
// The fade's control shows tenths of a second.
double FadeSecondsShown(std::int32_t fadeMilliseconds);
// The setting after its control changed to seconds: the one held when the control shows what
// it would show for it (a stored value outside the range, or between two tenths, stays as it
// is), else the control's.
std::int32_t FadeFromControl(double seconds, std::int32_t held);

// Any change while the execution trigger is chosen turns auto-close on: an agent counting
// program runs ends after its minutes.
bool AutoCloseAfterChange(const TSettings& settings);
