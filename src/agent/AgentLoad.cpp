// The configuration's load, shared by the window and by a run without one: the steps keep
// their order, since the display order and the default method must be in place before the
// list is read.
#include "agent/Agent.h"
#include "agent/AgentFolders.h"
#include "config/BigIni.h"
#include "config/ConfigFileName.h"
#include "config/ConfigKeys.h"
#include "config/SettingsIo.h"

TInfoReader TAgent::InfoReader() const {
  return TInfoReader(ini_, {settings_.AddDialogFolder, FolderWithoutSlash(world_.programFolder), world_.clock.Now()});
}

int TAgent::Load(const TLoadShow& show) {
  const auto busy = BusySection(busy_);
  // A window lets pending events run during the load, so that it keeps painting while a long
  // list is read; no command may act on the list until it is whole.
  const auto loading = commands_.Hold();
  const TInfoReader info = InfoReader();
  const TSettings loaded = LoadedSettings(info, settings_);

  list_.BeginUpdate();
  list_.Clear();
  state_.ExecSinceChg = info.Integer(InfoKey::ExecSinceChg);
  state_.LastImageNm = info.Text(InfoKey::LastImageNm);
  state_.LastDispStr = info.Text(InfoKey::LastDispStr);
  state_.LastChgDateTime = info.DateTime(InfoKey::LastChgDateTime);
  show.beforeList(loaded);
  // The entries join in the order the settings keep the list in.
  list_.SetSorted(settings_.SortImages);
  if (LoadBitmaps(list_, ini_, DispReader(), show.keepPainting)) view_.EnableResetMarked(true);
  list_.EndUpdate();
  show.afterList(loaded);
  SetHint();

  // The folders are listed once the list is whole; their pictures join as the listings come.
  folders_->Load();

  const int chosen = StartEntry(list_, world_.desktop.GetValue("Wallpaper"), state_.LastImageNm);
  if (!SelectOnly(list_, chosen)) list_.ClearSelection();
  SetPreviousEnabled();
  return chosen;
}
