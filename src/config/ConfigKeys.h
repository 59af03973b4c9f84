// The configuration file: section "Info" holds the settings and the state that survives a
// restart, section "Bitmaps" the image list (file name = display method code + mark suffix).
//
// Data flow: every key of section "Info" stands in the table below with its name, type and
// default, and nowhere else. IniLoad reads the keys through TInfoReader (SettingsIo.h) in its
// own order of steps; SaveClick hands WriteSettings the value of each setting key, which
// writes them in table order; the state keys at the table's end are written only by the
// wallpaper change and the scheduler.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

inline constexpr std::string_view InfoSection = "Info";
inline constexpr std::string_view BitmapsSection = "Bitmaps";

enum class KeyType { Folder, Text, Integer, Bool, DateTime };
// Settings are the user's choices, written by every save; state is what the wallpaper change
// and the scheduler record, which a save leaves alone.
enum class KeyRole { Setting, State };
// One identity per key, so that code which handles every setting can switch over them.
enum class InfoKeyId {
  DefaultDirectory,
  DisplayOrder,
  ImgMgrDirectory,
  TriggerMeasure,
  DefaultDisplay,
  ExceptDefaultDisplay,
  ExceptWidth,
  ExceptHeight,
  ExceptEnabled,
  IMSplitter,
  SysTrayClick,
  ConfirmRemove,
  FillColor,
  TriggerQty,
  AutoCloseMinutes,
  AutoClose,
  OpenMinimized,
  PlusInstalled,
  SortImages,
  Monitors,
  FadeMilliseconds,
  LockScreen,
  RunAfterChange,
  ExecSinceChg,
  LastImageNm,
  LastDispStr,
  LastChgDateTime
};

// Dynamic defaults are computed at load: the Add dialog's current folder, the program's
// folder, or the moment of loading minus 1000 days.
enum class KeyDefault { Fixed, AddDialogFolder, ProgramFolder, ThousandDaysAgo, NotRead };

struct ConfigKey {
  InfoKeyId id;
  std::string_view name;
  KeyType type;
  KeyDefault defaultKind;
  std::string_view defaultText;
  std::int32_t defaultInt;
  KeyRole role = KeyRole::Setting;
  // A setting beyond the original file: written only when it differs from its default, and
  // removed when it is back to it, so a file that never uses it keeps its bytes.
  bool onlyWhenChanged = false;
};

namespace InfoKey {
inline constexpr ConfigKey DefaultDirectory{
    InfoKeyId::DefaultDirectory, "Default Directory", KeyType::Folder, KeyDefault::AddDialogFolder, "", 0};
inline constexpr ConfigKey DisplayOrder{
    InfoKeyId::DisplayOrder, "Display Order", KeyType::Text, KeyDefault::Fixed, "", 0};
inline constexpr ConfigKey ImgMgrDirectory{
    InfoKeyId::ImgMgrDirectory, "ImgMgr Directory", KeyType::Folder, KeyDefault::ProgramFolder, "", 0};
inline constexpr ConfigKey TriggerMeasure{
    InfoKeyId::TriggerMeasure, "Trigger Measure", KeyType::Text, KeyDefault::Fixed, "", 0};
inline constexpr ConfigKey DefaultDisplay{
    InfoKeyId::DefaultDisplay, "Default Display", KeyType::Text, KeyDefault::Fixed, "TILE", 0};
inline constexpr ConfigKey ExceptDefaultDisplay{
    InfoKeyId::ExceptDefaultDisplay, "Except:Default Display", KeyType::Text, KeyDefault::Fixed, "STRETCH", 0};
inline constexpr ConfigKey ExceptWidth{
    InfoKeyId::ExceptWidth, "Except:Width", KeyType::Integer, KeyDefault::Fixed, "", 100};
inline constexpr ConfigKey ExceptHeight{
    InfoKeyId::ExceptHeight, "Except:Height", KeyType::Integer, KeyDefault::Fixed, "", 100};
inline constexpr ConfigKey ExceptEnabled{
    InfoKeyId::ExceptEnabled, "Except:Enabled", KeyType::Bool, KeyDefault::NotRead, "", 0};
inline constexpr ConfigKey IMSplitter{InfoKeyId::IMSplitter, "IMSplitter", KeyType::Integer,
                                      KeyDefault::Fixed,     "",           305};
inline constexpr ConfigKey SysTrayClick{
    InfoKeyId::SysTrayClick, "SysTrayClick", KeyType::Integer, KeyDefault::Fixed, "", 0};
inline constexpr ConfigKey ConfirmRemove{
    InfoKeyId::ConfirmRemove, "ConfirmRemove", KeyType::Bool, KeyDefault::Fixed, "", 1};
inline constexpr ConfigKey FillColor{InfoKeyId::FillColor, "Fill Color", KeyType::Integer, KeyDefault::Fixed, "", 0};
inline constexpr ConfigKey TriggerQty{InfoKeyId::TriggerQty, "Trigger Qty", KeyType::Integer, KeyDefault::Fixed, "", 1};
inline constexpr ConfigKey AutoCloseMinutes{
    InfoKeyId::AutoCloseMinutes, "AutoClose Minutes", KeyType::Integer, KeyDefault::Fixed, "", 1};
inline constexpr ConfigKey AutoClose{InfoKeyId::AutoClose, "AutoClose", KeyType::Bool, KeyDefault::Fixed, "", 0};
inline constexpr ConfigKey OpenMinimized{
    InfoKeyId::OpenMinimized, "Open Minimized", KeyType::Bool, KeyDefault::Fixed, "", 0};
inline constexpr ConfigKey PlusInstalled{
    InfoKeyId::PlusInstalled, "Plus! Installed", KeyType::Bool, KeyDefault::Fixed, "", 0};
inline constexpr ConfigKey SortImages{InfoKeyId::SortImages, "SortImages", KeyType::Bool, KeyDefault::Fixed, "", 1};
inline constexpr ConfigKey Monitors{InfoKeyId::Monitors, "Monitors", KeyType::Text, KeyDefault::Fixed, "SAME", 0,
                                    KeyRole::Setting,    true};
inline constexpr ConfigKey FadeMilliseconds{InfoKeyId::FadeMilliseconds,
                                            "Fade Milliseconds",
                                            KeyType::Integer,
                                            KeyDefault::Fixed,
                                            "",
                                            500,
                                            KeyRole::Setting,
                                            true};
inline constexpr ConfigKey LockScreen{InfoKeyId::LockScreen, "Lock Screen", KeyType::Bool, KeyDefault::Fixed, "", 0,
                                      KeyRole::Setting,      true};
inline constexpr ConfigKey RunAfterChange{
    InfoKeyId::RunAfterChange, "Run After Change", KeyType::Text, KeyDefault::Fixed, "", 0, KeyRole::Setting, true};
inline constexpr ConfigKey ExecSinceChg{
    InfoKeyId::ExecSinceChg, "ExecSinceChg", KeyType::Integer, KeyDefault::Fixed, "", 0, KeyRole::State};
inline constexpr ConfigKey LastImageNm{InfoKeyId::LastImageNm, "LastImageNm", KeyType::Text, KeyDefault::Fixed, "", 0,
                                       KeyRole::State};
inline constexpr ConfigKey LastDispStr{InfoKeyId::LastDispStr, "LastDispStr", KeyType::Text, KeyDefault::Fixed, "", 0,
                                       KeyRole::State};
inline constexpr ConfigKey LastChgDateTime{InfoKeyId::LastChgDateTime,
                                           "LastChgDateTime",
                                           KeyType::DateTime,
                                           KeyDefault::ThousandDaysAgo,
                                           "",
                                           0,
                                           KeyRole::State};
}  // namespace InfoKey

// Section "Info" in the order SaveClick writes it, the state keys last.
inline constexpr std::array<const ConfigKey*, 27> InfoKeys = {
    &InfoKey::DefaultDirectory, &InfoKey::DisplayOrder,         &InfoKey::ImgMgrDirectory,  &InfoKey::TriggerMeasure,
    &InfoKey::DefaultDisplay,   &InfoKey::ExceptDefaultDisplay, &InfoKey::ExceptWidth,      &InfoKey::ExceptHeight,
    &InfoKey::ExceptEnabled,    &InfoKey::IMSplitter,           &InfoKey::SysTrayClick,     &InfoKey::ConfirmRemove,
    &InfoKey::FillColor,        &InfoKey::TriggerQty,           &InfoKey::AutoCloseMinutes, &InfoKey::AutoClose,
    &InfoKey::OpenMinimized,    &InfoKey::PlusInstalled,        &InfoKey::SortImages,       &InfoKey::Monitors,
    &InfoKey::FadeMilliseconds, &InfoKey::LockScreen,           &InfoKey::RunAfterChange,   &InfoKey::ExecSinceChg,
    &InfoKey::LastImageNm,      &InfoKey::LastDispStr,          &InfoKey::LastChgDateTime};

inline constexpr std::string_view MarkedSuffix = ".MARKED";
inline constexpr std::string_view NotMarkedSuffix = ".NOT";
// The longest stored value IniLoad takes from a "Bitmaps" line.
inline constexpr std::size_t MaxBitmapsValue = 1000;
