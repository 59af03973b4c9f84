#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "config/BigIni.h"
#include "config/ConfigFileName.h"
#include "config/ConfigKeys.h"
#include "config/DateTimeText.h"
#include "platform/Clock.h"
#include "platform/DesktopWallpaper.h"
#include "widgets/FolderPath.h"
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
  const std::string value = storedValue.empty() ? BigIni->ReadString(BitmapsSection, fileName, "") : storedValue;
  return DecodeBitmapsValue(value, orderRandomCycle->isChecked(), DefDispObj());
}

void TTesselForm1::IniLoad() {
  const auto busy = BusySection(Busy);
  TBigIniFile& ini = *BigIni;
  const auto readInt = [&ini](const ConfigKey& key) { return ini.ReadInteger(InfoSection, key.name, key.defaultInt); };
  const auto readBool = [&ini](const ConfigKey& key) {
    return ini.ReadBool(InfoSection, key.name, key.defaultInt != 0);
  };
  const auto readText = [&ini](const ConfigKey& key, std::string_view defaultText) {
    return ini.ReadString(InfoSection, key.name, defaultText);
  };

  SetNumberField(AutoCloseMin, AutoCloseMinUpDown, ClampUpDown(readInt(InfoKey::AutoCloseMinutes)));
  SetFillColor(readInt(InfoKey::FillColor));
  AutoClose->setChecked(readBool(InfoKey::AutoClose));
  OpenMinimized->setChecked(readBool(InfoKey::OpenMinimized));
  const std::int32_t triggerQty = ClampUpDown(readInt(InfoKey::TriggerQty));
  SetNumberField(execQty, execQtyUpDown, triggerQty == 0 ? 1 : triggerQty);
  SelectCodeItem(DefDispCB, readText(InfoKey::DefaultDisplay, InfoKey::DefaultDisplay.defaultText));
  PlusInstalled->setChecked(readBool(InfoKey::PlusInstalled));
  SortImages->setChecked(readBool(InfoKey::SortImages));

  TImageList& list = ImageList();
  list.BeginUpdate();
  list.Clear();
  ListChanged();

  ExecSinceChg = readInt(InfoKey::ExecSinceChg);
  LastImageNm = readText(InfoKey::LastImageNm, "");
  LastDispStr = readText(InfoKey::LastDispStr, "");
  const std::string lastChange = readText(InfoKey::LastChgDateTime, "");
  const std::optional<double> lastChangeDays = lastChange.empty() ? std::nullopt : TextToDateTime(lastChange);
  LastChgDateTime = lastChangeDays ? *lastChangeDays : Services.clock.Now() - 1000;

  switch (ParseDisplayOrder(readText(InfoKey::DisplayOrder, ""))) {
    case DisplayOrder::Random:
      orderRandom->setChecked(true);
      break;
    case DisplayOrder::RandomCycle:
      orderRandomCycle->setChecked(true);
      break;
    case DisplayOrder::Sequential:
      orderSequential->setChecked(true);
      break;
  }
  execTypeCB->setCurrentIndex(0);
  execTypeCB->setCurrentIndex(static_cast<int>(ParseTriggerMeasure(readText(InfoKey::TriggerMeasure, ""))));
  QCoreApplication::processEvents();

  std::vector<std::string> keys;
  std::vector<std::string> lines;
  ini.ReadSection(BitmapsSection, keys);
  ini.ReadSectionValues(BitmapsSection, lines);
  list.Reserve(static_cast<int>(lines.size()) + 1);
  for (std::size_t i = 0; i < lines.size() && i < keys.size(); ++i) {
    if (i % 100 == 1) QCoreApplication::processEvents();
    // An entry without a name could not be saved: an empty key would erase the section.
    const std::string name = BitmapsLineName(keys[i], lines[i]);
    if (name.empty()) continue;
    const TStoredDisp stored = ReadObjDisp(name, BitmapsLineValue(lines[i]));
    list.Append({name, stored.disp, stored.mark});
    if (stored.mark == 1 && !ResetMarked->isEnabled()) ResetMarked->setEnabled(true);
  }
  list.Reserve(1);
  list.EndUpdate();

  SetIMPanelImageWidth(readInt(InfoKey::IMSplitter));
  SysTrayClickCB->setCurrentIndex(readInt(InfoKey::SysTrayClick));
  ConfirmRemove->setChecked(readBool(InfoKey::ConfirmRemove));
  SelectCodeItem(DefExcCB, readText(InfoKey::ExceptDefaultDisplay, InfoKey::ExceptDefaultDisplay.defaultText));
  SetNumberField(excWidthQty, excWidthQtyUpDown, ClampUpDown(readInt(InfoKey::ExceptWidth)));
  SetNumberField(excHeightQty, excHeightQtyUpDown, ClampUpDown(readInt(InfoKey::ExceptHeight)));
  SetImgMgrDirectory(readText(InfoKey::ImgMgrDirectory, FolderWithoutSlash(Services.programFolder)));
  AddInitialDir = readText(InfoKey::DefaultDirectory, AddInitialDir);
  ExplorerFirstRead = true;
  SetHint();

  int chosen = -1;
  if (const std::optional<std::string> wallpaper = Services.desktop.GetValue("Wallpaper"))
    chosen = list.Find(*wallpaper);
  if (chosen < 0) chosen = list.Find(LastImageNm);
  if (chosen < 0 && list.Count() > 0) chosen = 0;
  list.ClearSelection();
  if (chosen >= 0) {
    list.SetSelected(chosen, true);
    list.SetFocused(chosen);
  }
  ListChanged();
  ScrollIntoView(chosen);
  ItemSelectUpdt();
  Reload->setEnabled(false);
  Save->setEnabled(false);
}

void TTesselForm1::SaveClick() {
  const auto busy = BusySection(Busy);
  TBigIniFile& ini = *BigIni;
  const auto write = [&ini](const ConfigKey& key, std::string_view value) {
    ini.WriteString(InfoSection, key.name, value);
  };
  const auto writeInt = [&ini](const ConfigKey& key, std::int32_t value) {
    ini.WriteInteger(InfoSection, key.name, value);
  };
  const auto writeBool = [&ini](const ConfigKey& key, bool value) { ini.WriteBool(InfoSection, key.name, value); };
  const auto fieldValue = [](const QLineEdit* field) { return StrToInt(field->text().toStdString()); };

  const std::string lastFolder = FolderOf(AddLastFileName);
  write(InfoKey::DefaultDirectory, lastFolder.empty() ? AddInitialDir : lastFolder);
  const DisplayOrder order = orderRandom->isChecked()        ? DisplayOrder::Random
                             : orderRandomCycle->isChecked() ? DisplayOrder::RandomCycle
                                                             : DisplayOrder::Sequential;
  write(InfoKey::DisplayOrder, DisplayOrderText(order));
  write(InfoKey::ImgMgrDirectory, ImgMgrDirectory());
  write(InfoKey::TriggerMeasure, TriggerMeasureText(execTypeCB->currentIndex()));
  write(InfoKey::DefaultDisplay, DefDispStr());
  write(InfoKey::ExceptDefaultDisplay, DefExcCB->currentIndex() >= 0 ? DefExcCB->currentText().toStdString() : "");
  writeInt(InfoKey::ExceptWidth, fieldValue(excWidthQty));
  writeInt(InfoKey::ExceptHeight, fieldValue(excHeightQty));
  writeBool(InfoKey::ExceptEnabled, excFlg->isChecked());
  writeInt(InfoKey::IMSplitter, IMPanelImageWidth());
  writeInt(InfoKey::SysTrayClick, SysTrayClickCB->currentIndex());
  writeBool(InfoKey::ConfirmRemove, ConfirmRemove->isChecked());
  writeInt(InfoKey::FillColor, FillColor());
  writeInt(InfoKey::TriggerQty, fieldValue(execQty));
  writeInt(InfoKey::AutoCloseMinutes, fieldValue(AutoCloseMin));
  writeBool(InfoKey::AutoClose, AutoClose->isChecked());
  writeBool(InfoKey::OpenMinimized, OpenMinimized->isChecked());
  writeBool(InfoKey::PlusInstalled, PlusInstalled->isChecked());
  writeBool(InfoKey::SortImages, SortImages->isChecked());

  // Every "Bitmaps" section: a hand-made duplicate left in the file would come back as the
  // list at the next start once this list is empty.
  ini.EraseAllSections(BitmapsSection);
  const TImageList& list = ImageList();
  const bool randomCycle = orderRandomCycle->isChecked();
  for (int i = 0; i < list.Count(); ++i) {
    const ImageEntry& entry = list.At(i);
    if (entry.fileName.empty()) continue;
    DispObj code = entry.disp;
    std::int32_t mark = entry.mark;
    if (ToInt(code) < 0) {
      const TStoredDisp stored = ReadObjDisp(entry.fileName, std::string());
      code = stored.disp;
      mark = stored.mark;
      Services.messages.Show("Settings save error. Press OK to continue", MsgKind::Error, MsgButtons::Ok);
    }
    ini.WriteString(BitmapsSection, entry.fileName, EncodeBitmapsValue(DispObjToStr(code), mark, randomCycle));
  }
  ini.UpdateFile();
  Save->setEnabled(false);
  Reload->setEnabled(false);
}

void TTesselForm1::ReloadClick() { IniLoad(); }
