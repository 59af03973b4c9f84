#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <stdexcept>

#include "config/BigIni.h"
#include "config/ConfigFileName.h"
#include "config/ConfigKeys.h"
#include "config/SettingsIo.h"
#include "imagelist/FolderFile.h"
#include "imagelist/ListEdits.h"
#include "imagelist/ListFile.h"
#include "platform/desktop/DesktopWallpaper.h"
#include "platform/system/Clock.h"
#include "platform/system/PathParts.h"
#include "widgets/UpDown.h"
#include "window/ImageListModel.h"
#include "window/Tessel.h"

namespace {

// Selects the first item equal to text (case-insensitive); leaves the selection otherwise.
void SelectCodeItem(QComboBox* box, const std::string& text) {
  const int index = box->findText(QString::fromStdString(text), Qt::MatchFixedString);
  if (index >= 0) box->setCurrentIndex(index);
}

void SetNumberField(QLineEdit* field, TUpDown* upDown, std::int32_t value) {
  field->setText(QString::number(value));
  upDown->SetPosition(value);
}

}  // namespace

TStoredDisp TTesselForm1::ReadObjDisp(const std::string& fileName, const std::string& storedValue) {
  return ReadStoredDisp(*BigIni, fileName, storedValue, Agent.Order == DisplayOrder::RandomCycle, DefDispObj());
}

TDispReader TTesselForm1::DispReader() {
  return [this](const std::string& fileName, const std::string& storedValue) {
    return ReadObjDisp(fileName, storedValue);
  };
}

TInfoReader TTesselForm1::InfoReader() const {
  return TInfoReader(*BigIni, {AddInitialDir, FolderWithoutSlash(Services.programFolder), Services.clock.Now()});
}

// The steps keep their order: the display order and the default method must be in place
// before the list is read, and "AutoClose" is read before "Trigger Measure" may check it.
void TTesselForm1::IniLoad() {
  const auto busy = BusySection(Busy);
  // The load lets pending events run, so that the splash and the window keep painting while
  // a long list is read; no command may act on the list until it is whole.
  const auto loading = Commands.Hold();
  const TInfoReader info = InfoReader();

  SetNumberField(AutoCloseMin, AutoCloseMinUpDown, ClampUpDown(info.Integer(InfoKey::AutoCloseMinutes)));
  SetFillColor(info.Integer(InfoKey::FillColor));
  AutoClose->setChecked(info.Bool(InfoKey::AutoClose));
  OpenMinimized->setChecked(info.Bool(InfoKey::OpenMinimized));
  const std::int32_t triggerQty = ClampUpDown(info.Integer(InfoKey::TriggerQty));
  SetNumberField(execQty, execQtyUpDown, triggerQty == 0 ? 1 : triggerQty);
  SelectCodeItem(DefDispCB, info.Text(InfoKey::DefaultDisplay));
  PlusInstalled->setChecked(info.Bool(InfoKey::PlusInstalled));
  SortImages->setChecked(info.Bool(InfoKey::SortImages));

  TImageList& list = ImageList();
  list.BeginUpdate();
  list.Clear();
  ListChanged();

  Agent.ExecSinceChg = info.Integer(InfoKey::ExecSinceChg);
  Agent.LastImageNm = info.Text(InfoKey::LastImageNm);
  Agent.LastDispStr = info.Text(InfoKey::LastDispStr);
  Agent.LastChgDateTime = info.DateTime(InfoKey::LastChgDateTime);

  OrderRadio(ParseDisplayOrder(info.Text(InfoKey::DisplayOrder)))->setChecked(true);
  execTypeCB->setCurrentIndex(0);
  execTypeCB->setCurrentIndex(static_cast<int>(ParseTriggerMeasure(info.Text(InfoKey::TriggerMeasure))));
  QCoreApplication::processEvents();

  if (LoadBitmaps(list, *BigIni, DispReader(), [] { QCoreApplication::processEvents(); }))
    ResetMarked->setEnabled(true);
  list.EndUpdate();

  SetIMPanelImageWidth(info.Integer(InfoKey::IMSplitter));
  SysTrayClickCB->setCurrentIndex(info.Integer(InfoKey::SysTrayClick));
  MonitorsComboBox->setCurrentIndex(static_cast<int>(ParseMonitorMode(info.Text(InfoKey::Monitors))));
  ConfirmRemove->setChecked(info.Bool(InfoKey::ConfirmRemove));
  SelectCodeItem(DefExcCB, info.Text(InfoKey::ExceptDefaultDisplay));
  SetNumberField(excWidthQty, excWidthQtyUpDown, ClampUpDown(info.Integer(InfoKey::ExceptWidth)));
  SetNumberField(excHeightQty, excHeightQtyUpDown, ClampUpDown(info.Integer(InfoKey::ExceptHeight)));
  SetImgMgrDirectory(info.Text(InfoKey::ImgMgrDirectory));
  AddInitialDir = info.Text(InfoKey::DefaultDirectory);
  ExplorerFirstRead = true;
  SetHint();

  // The folders are listed once the list is whole; their pictures join as the listings come.
  Folders = LoadFolders(*BigIni);
  WatchFolders();

  const int chosen = StartEntry(list, Services.desktop.GetValue("Wallpaper"), Agent.LastImageNm);
  if (!SelectOnly(list, chosen)) list.ClearSelection();
  ListChanged();
  ScrollIntoView(chosen);
  ItemSelectUpdt();
  SetPreviousEnabled();
  SetUnsaved(false);
}

TKeyValue TTesselForm1::SettingValue(const ConfigKey& key) const {
  const auto number = [](const QLineEdit* field) { return StrToInt(field->text().toStdString()); };
  switch (key.id) {
    case InfoKeyId::DefaultDirectory: {
      const std::string lastFolder = FolderOf(AddLastFileName);
      return lastFolder.empty() ? AddInitialDir : lastFolder;
    }
    case InfoKeyId::DisplayOrder:
      return std::string(DisplayOrderText(Agent.Order));
    case InfoKeyId::ImgMgrDirectory:
      return ImgMgrDirectory();
    case InfoKeyId::TriggerMeasure:
      return std::string(TriggerMeasureText(execTypeCB->currentIndex()));
    case InfoKeyId::DefaultDisplay:
      return DefDispStr();
    case InfoKeyId::ExceptDefaultDisplay:
      return DefExcCB->currentIndex() >= 0 ? DefExcCB->currentText().toStdString() : std::string();
    case InfoKeyId::ExceptWidth:
      return number(excWidthQty);
    case InfoKeyId::ExceptHeight:
      return number(excHeightQty);
    case InfoKeyId::ExceptEnabled:
      return excFlg->isChecked();
    case InfoKeyId::IMSplitter:
      return IMPanelImageWidth();
    case InfoKeyId::SysTrayClick:
      return static_cast<std::int32_t>(Agent.ClickAction);
    case InfoKeyId::ConfirmRemove:
      return ConfirmRemove->isChecked();
    case InfoKeyId::FillColor:
      return FillColor();
    case InfoKeyId::TriggerQty:
      return number(execQty);
    case InfoKeyId::AutoCloseMinutes:
      return number(AutoCloseMin);
    case InfoKeyId::AutoClose:
      return AutoClose->isChecked();
    case InfoKeyId::OpenMinimized:
      return OpenMinimized->isChecked();
    case InfoKeyId::PlusInstalled:
      return PlusInstalled->isChecked();
    case InfoKeyId::SortImages:
      return SortImages->isChecked();
    case InfoKeyId::Monitors:
      return std::string(MonitorModeText(Agent.Monitors));
    case InfoKeyId::ExecSinceChg:
    case InfoKeyId::LastImageNm:
    case InfoKeyId::LastDispStr:
    case InfoKeyId::LastChgDateTime:
      break;
  }
  throw std::logic_error("\"" + std::string(key.name) + "\" is not a setting");
}

void TTesselForm1::SaveClick() {
  const auto busy = BusySection(Busy);
  TBigIniFile& ini = *BigIni;
  WriteSettings(ini, [this](const ConfigKey& key) { return SettingValue(key); });

  SaveBitmaps(
      ini, ImageList(), Agent.Order == DisplayOrder::RandomCycle, [this](DispObj code) { return DispObjToStr(code); },
      DispReader(), [this] { Ask("Settings save error. Press OK to continue", MsgKind::Error, MsgButtons::Ok); });
  SaveFolders(ini, Folders);
  ini.UpdateFile();
  SetUnsaved(false);
}

void TTesselForm1::ReloadClick() { IniLoad(); }
