#include "config/Settings.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string_view>

#include "config/ConfigKeys.h"
#include "platform/system/PathParts.h"

namespace {

std::string NumberText(std::int32_t value) { return std::to_string(value); }

// The code a method box selects for text: the first whose text code equals it in any letter
// case; a text no item matches leaves the box as it was.
DispObj MatchDispText(std::string_view text, DispObj before) {
  const int code = DispCodeOfText(text);
  return code >= 0 ? ToDispObj(code) : before;
}

}  // namespace

std::string TSettings::DefaultDirectory() const {
  const std::string lastFolder = FolderOf(AddLastFile);
  return lastFolder.empty() ? AddDialogFolder : lastFolder;
}

std::string TSettings::DefDispStr() const { return std::string(::DefDispStr(ToInt(DefaultDisplay))); }

TKeyValue TSettings::Value(const ConfigKey& key) const {
  switch (key.id) {
    case InfoKeyId::DefaultDirectory:
      return DefaultDirectory();
    case InfoKeyId::DisplayOrder:
      return std::string(DisplayOrderText(Order));
    case InfoKeyId::ImgMgrDirectory:
      return ImgMgrDirectory;
    case InfoKeyId::TriggerMeasure:
      return std::string(TriggerMeasureText(static_cast<int>(Measure)));
    case InfoKeyId::DefaultDisplay:
      return DefDispStr();
    case InfoKeyId::ExceptDefaultDisplay:
      return std::string(DispText(ExceptDefaultDisplay));
    case InfoKeyId::ExceptWidth:
      return StrToInt(ExceptWidth);
    case InfoKeyId::ExceptHeight:
      return StrToInt(ExceptHeight);
    case InfoKeyId::ExceptEnabled:
      return ExceptEnabled;
    case InfoKeyId::IMSplitter:
      return IMSplitter;
    case InfoKeyId::SysTrayClick:
      return static_cast<std::int32_t>(ClickAction);
    case InfoKeyId::ConfirmRemove:
      return ConfirmRemove;
    case InfoKeyId::FillColor:
      return FillColor;
    case InfoKeyId::TriggerQty:
      return StrToInt(TriggerQty);
    case InfoKeyId::AutoCloseMinutes:
      return StrToInt(AutoCloseMinutes);
    case InfoKeyId::AutoClose:
      return AutoClose;
    case InfoKeyId::OpenMinimized:
      return OpenMinimized;
    case InfoKeyId::PlusInstalled:
      return PlusInstalled;
    case InfoKeyId::SortImages:
      return SortImages;
    case InfoKeyId::Monitors:
      return std::string(MonitorModeText(Monitors));
    case InfoKeyId::FadeMilliseconds:
      return FadeMilliseconds;
    case InfoKeyId::LockScreen:
      return LockScreen;
    case InfoKeyId::RunAfterChange:
      return RunAfterChange;
    case InfoKeyId::ExecSinceChg:
    case InfoKeyId::LastImageNm:
    case InfoKeyId::LastDispStr:
    case InfoKeyId::LastChgDateTime:
      break;
  }
  throw std::logic_error("\"" + std::string(key.name) + "\" is not a setting");
}

TSettings LoadedSettings(const TInfoReader& info, const TSettings& before) {
  TSettings loaded = before;
  loaded.AutoCloseMinutes = NumberText(ClampUpDown(info.Integer(InfoKey::AutoCloseMinutes)));
  loaded.FillColor = info.Integer(InfoKey::FillColor);
  loaded.AutoClose = info.Bool(InfoKey::AutoClose);
  loaded.OpenMinimized = info.Bool(InfoKey::OpenMinimized);
  const std::int32_t triggerQty = ClampUpDown(info.Integer(InfoKey::TriggerQty));
  loaded.TriggerQty = NumberText(triggerQty == 0 ? 1 : triggerQty);
  loaded.DefaultDisplay = MatchDispText(info.Text(InfoKey::DefaultDisplay), before.DefaultDisplay);
  loaded.PlusInstalled = info.Bool(InfoKey::PlusInstalled);
  loaded.SortImages = info.Bool(InfoKey::SortImages);
  loaded.Order = ParseDisplayOrder(info.Text(InfoKey::DisplayOrder));
  loaded.Measure = ParseTriggerMeasure(info.Text(InfoKey::TriggerMeasure));
  loaded.IMSplitter = info.Integer(InfoKey::IMSplitter);
  loaded.ClickAction = TrayClickActionAt(info.Integer(InfoKey::SysTrayClick));
  loaded.Monitors = ParseMonitorMode(info.Text(InfoKey::Monitors));
  loaded.FadeMilliseconds = info.Integer(InfoKey::FadeMilliseconds);
  loaded.LockScreen = info.Bool(InfoKey::LockScreen);
  loaded.RunAfterChange = info.Text(InfoKey::RunAfterChange);
  loaded.ConfirmRemove = info.Bool(InfoKey::ConfirmRemove);
  loaded.ExceptDefaultDisplay = MatchDispText(info.Text(InfoKey::ExceptDefaultDisplay), before.ExceptDefaultDisplay);
  loaded.ExceptWidth = NumberText(ClampUpDown(info.Integer(InfoKey::ExceptWidth)));
  loaded.ExceptHeight = NumberText(ClampUpDown(info.Integer(InfoKey::ExceptHeight)));
  loaded.ImgMgrDirectory = info.Text(InfoKey::ImgMgrDirectory);
  loaded.AddDialogFolder = info.Text(InfoKey::DefaultDirectory);
  return loaded;
}

std::int32_t FadeTime(const TSettings& settings) { return std::clamp(settings.FadeMilliseconds, 0, 10000); }

double FadeSecondsShown(std::int32_t fadeMilliseconds) {
  return std::round(std::clamp(fadeMilliseconds, 0, 10000) / 100.0) / 10.0;
}

std::int32_t FadeFromControl(double seconds, std::int32_t held) {
  const long tenths = std::lround(seconds * 10.0);
  if (tenths == std::lround(FadeSecondsShown(held) * 10.0)) return held;
  return static_cast<std::int32_t>(tenths) * 100;
}

bool AutoCloseAfterChange(const TSettings& settings) {
  return settings.AutoClose || settings.Measure == TriggerMeasure::Executions;
}
