// The configuration file on the window: the agent's load, which the window follows by showing
// the file's settings on the controls step by step (each control writes its setting as it
// changes) and the start entry on the Images page; the save writes the settings, the list
// and the watched folders.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "agent/AgentFolders.h"
#include "config/SettingsIo.h"
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

TInfoReader TTesselForm1::InfoReader() const { return AgentRun->InfoReader(); }

// The agent loads the file; the window shows the settings on its controls in this order, so
// that "AutoClose" is shown before "Trigger Measure" may tick it.
void TTesselForm1::IniLoad() {
  const auto busy = BusySection(BusyCounter);
  const int chosen = AgentRun->Load({[this](const TSettings& loaded) { ShowSettingsBeforeList(loaded); },
                                     [this](const TSettings& loaded) { ShowSettingsAfterList(loaded); },
                                     [] { QCoreApplication::processEvents(); }});
  ListChanged();
  ScrollIntoView(chosen);
  ItemSelectUpdt();
  SetUnsaved(false);
}

void TTesselForm1::ShowSettingsBeforeList(const TSettings& loaded) {
  SetNumberField(AutoCloseMin, AutoCloseMinUpDown, loaded.AutoCloseMinutes);
  SetFillColor(loaded.FillColor);
  AutoClose->setChecked(loaded.AutoClose);
  OpenMinimized->setChecked(loaded.OpenMinimized);
  SetNumberField(execQty, execQtyUpDown, loaded.TriggerQty);
  DefDispCB->setCurrentIndex(ToInt(loaded.DefaultDisplay));
  PlusInstalled->setChecked(loaded.PlusInstalled);
  SortImages->setChecked(loaded.SortImages);
  ListChanged();
  OrderRadio(loaded.Order)->setChecked(true);
  execTypeCB->setCurrentIndex(0);
  execTypeCB->setCurrentIndex(static_cast<int>(loaded.Measure));
  QCoreApplication::processEvents();
}

void TTesselForm1::ShowSettingsAfterList(const TSettings& loaded) {
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
