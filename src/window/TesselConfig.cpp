// The configuration file on the window: the load shows the file's settings on the controls
// step by step (each control writes its setting as it changes) and loads the list; the save
// writes the settings, the list and the watched folders.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "agent/AgentFolders.h"
#include "config/ConfigFileName.h"
#include "config/ConfigKeys.h"
#include "config/SettingsIo.h"
#include "platform/system/PathParts.h"
#include "widgets/ImageListModel.h"
#include "widgets/UpDown.h"
#include "window/Tessel.h"

namespace {

void SetNumberField(QLineEdit* field, TUpDown* upDown, const std::string& text) {
  field->setText(QString::fromStdString(text));
  upDown->SetPosition(StrToInt(text));
}

}  // namespace

TStoredDisp TTesselForm1::ReadObjDisp(const std::string& fileName, const std::string& storedValue) {
  return AgentRun->ReadObjDisp(fileName, storedValue);
}

TInfoReader TTesselForm1::InfoReader() const {
  return TInfoReader(*BigIni,
                     {Values.AddDialogFolder, FolderWithoutSlash(Services.programFolder), Services.clock.Now()});
}

// The steps keep their order: the display order and the default method must be in place
// before the list is read, and "AutoClose" is shown before "Trigger Measure" may tick it.
void TTesselForm1::IniLoad() {
  const auto busy = BusySection(BusyCounter);
  // The load lets pending events run, so that the splash and the window keep painting while
  // a long list is read; no command may act on the list until it is whole.
  const auto loading = AgentRun->Commands().Hold();
  const TInfoReader info = InfoReader();
  const TSettings loaded = LoadedSettings(info, Values);

  SetNumberField(AutoCloseMin, AutoCloseMinUpDown, loaded.AutoCloseMinutes);
  SetFillColor(loaded.FillColor);
  AutoClose->setChecked(loaded.AutoClose);
  OpenMinimized->setChecked(loaded.OpenMinimized);
  SetNumberField(execQty, execQtyUpDown, loaded.TriggerQty);
  DefDispCB->setCurrentIndex(ToInt(loaded.DefaultDisplay));
  PlusInstalled->setChecked(loaded.PlusInstalled);
  SortImages->setChecked(loaded.SortImages);

  List.BeginUpdate();
  List.Clear();
  ListChanged();

  TAgentState& state = AgentRun->State();
  state.ExecSinceChg = info.Integer(InfoKey::ExecSinceChg);
  state.LastImageNm = info.Text(InfoKey::LastImageNm);
  state.LastDispStr = info.Text(InfoKey::LastDispStr);
  state.LastChgDateTime = info.DateTime(InfoKey::LastChgDateTime);

  OrderRadio(loaded.Order)->setChecked(true);
  execTypeCB->setCurrentIndex(0);
  execTypeCB->setCurrentIndex(static_cast<int>(loaded.Measure));
  QCoreApplication::processEvents();

  if (LoadBitmaps(List, *BigIni, AgentRun->DispReader(), [] { QCoreApplication::processEvents(); }))
    ResetMarked->setEnabled(true);
  List.EndUpdate();

  SetIMPanelImageWidth(loaded.IMSplitter);
  SysTrayClickCB->setCurrentIndex(static_cast<int>(loaded.ClickAction));
  MonitorsComboBox->setCurrentIndex(static_cast<int>(loaded.Monitors));
  // The file's value is kept as it stands while the control shows it held to its range.
  Values.FadeMilliseconds = loaded.FadeMilliseconds;
  FadeSeconds->setValue(FadeSecondsShown(loaded.FadeMilliseconds));
  LockScreen->setChecked(loaded.LockScreen);
  RunAfterChange->setText(QString::fromStdString(loaded.RunAfterChange));
  ConfirmRemove->setChecked(loaded.ConfirmRemove);
  DefExcCB->setCurrentIndex(ToInt(loaded.ExceptDefaultDisplay));
  SetNumberField(excWidthQty, excWidthQtyUpDown, loaded.ExceptWidth);
  SetNumberField(excHeightQty, excHeightQtyUpDown, loaded.ExceptHeight);
  SetImgMgrDirectory(loaded.ImgMgrDirectory);
  Values.AddDialogFolder = loaded.AddDialogFolder;
  ExplorerReadPending = true;
  SetHint();

  // The folders are listed once the list is whole; their pictures join as the listings come.
  AgentRun->Folders().Load();

  const int chosen = StartEntry(List, Services.desktop.GetValue("Wallpaper"), state.LastImageNm);
  if (!SelectOnly(List, chosen)) List.ClearSelection();
  ListChanged();
  ScrollIntoView(chosen);
  ItemSelectUpdt();
  AgentRun->SetPreviousEnabled();
  SetUnsaved(false);
}

void TTesselForm1::SaveClick() {
  const auto busy = BusySection(BusyCounter);
  TBigIniFile& ini = *BigIni;
  WriteSettings(ini, [this](const ConfigKey& key) { return Values.Value(key); });
  SaveBitmaps(
      ini, List, Values.RandomCycle(), [this](DispObj code) { return DispObjToStr(code); }, AgentRun->DispReader(),
      [this] { Ask("Settings save error. Press OK to continue", MsgKind::Error, MsgButtons::Ok); });
  AgentRun->Folders().Save(ini);
  ini.UpdateFile();
  SetUnsaved(false);
}

void TTesselForm1::ReloadClick() { IniLoad(); }
