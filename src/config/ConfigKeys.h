// The configuration file: section "Info" holds the settings and the state that survives a
// restart, section "Bitmaps" the image list (file name = display method code + mark suffix).
//
// Data flow: IniLoad reads each key below through TBigIniFile into its control; SaveClick
// writes the controls back in the order of this table; the persistent-state keys at its end
// are written only by the wallpaper change and the scheduler. Every key's name, type and
// default stand here and nowhere else.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

inline constexpr std::string_view InfoSection = "Info";
inline constexpr std::string_view BitmapsSection = "Bitmaps";

enum class KeyType { Folder, Text, Integer, Bool, DateTime };
// Dynamic defaults are computed at load: the Add dialog's current folder, the program's
// folder, or the moment of loading minus 1000 days.
enum class KeyDefault { Fixed, AddDialogFolder, ProgramFolder, ThousandDaysAgo, NotRead };

struct ConfigKey {
  std::string_view name;
  KeyType type;
  KeyDefault defaultKind;
  std::string_view defaultText;
  std::int32_t defaultInt;
};

namespace InfoKey {
inline constexpr ConfigKey DefaultDirectory{"Default Directory", KeyType::Folder, KeyDefault::AddDialogFolder, "", 0};
inline constexpr ConfigKey DisplayOrder{"Display Order", KeyType::Text, KeyDefault::Fixed, "", 0};
inline constexpr ConfigKey ImgMgrDirectory{"ImgMgr Directory", KeyType::Folder, KeyDefault::ProgramFolder, "", 0};
inline constexpr ConfigKey TriggerMeasure{"Trigger Measure", KeyType::Text, KeyDefault::Fixed, "", 0};
inline constexpr ConfigKey DefaultDisplay{"Default Display", KeyType::Text, KeyDefault::Fixed, "TILE", 0};
inline constexpr ConfigKey ExceptDefaultDisplay{"Except:Default Display", KeyType::Text, KeyDefault::Fixed, "STRETCH",
                                                0};
inline constexpr ConfigKey ExceptWidth{"Except:Width", KeyType::Integer, KeyDefault::Fixed, "", 100};
inline constexpr ConfigKey ExceptHeight{"Except:Height", KeyType::Integer, KeyDefault::Fixed, "", 100};
inline constexpr ConfigKey ExceptEnabled{"Except:Enabled", KeyType::Bool, KeyDefault::NotRead, "", 0};
inline constexpr ConfigKey IMSplitter{"IMSplitter", KeyType::Integer, KeyDefault::Fixed, "", 305};
inline constexpr ConfigKey SysTrayClick{"SysTrayClick", KeyType::Integer, KeyDefault::Fixed, "", 0};
inline constexpr ConfigKey ConfirmRemove{"ConfirmRemove", KeyType::Bool, KeyDefault::Fixed, "", 1};
inline constexpr ConfigKey FillColor{"Fill Color", KeyType::Integer, KeyDefault::Fixed, "", 0};
inline constexpr ConfigKey TriggerQty{"Trigger Qty", KeyType::Integer, KeyDefault::Fixed, "", 1};
inline constexpr ConfigKey AutoCloseMinutes{"AutoClose Minutes", KeyType::Integer, KeyDefault::Fixed, "", 1};
inline constexpr ConfigKey AutoClose{"AutoClose", KeyType::Bool, KeyDefault::Fixed, "", 0};
inline constexpr ConfigKey OpenMinimized{"Open Minimized", KeyType::Bool, KeyDefault::Fixed, "", 0};
inline constexpr ConfigKey PlusInstalled{"Plus! Installed", KeyType::Bool, KeyDefault::Fixed, "", 0};
inline constexpr ConfigKey SortImages{"SortImages", KeyType::Bool, KeyDefault::Fixed, "", 1};
inline constexpr ConfigKey ExecSinceChg{"ExecSinceChg", KeyType::Integer, KeyDefault::Fixed, "", 0};
inline constexpr ConfigKey LastImageNm{"LastImageNm", KeyType::Text, KeyDefault::Fixed, "", 0};
inline constexpr ConfigKey LastDispStr{"LastDispStr", KeyType::Text, KeyDefault::Fixed, "", 0};
inline constexpr ConfigKey LastChgDateTime{"LastChgDateTime", KeyType::DateTime, KeyDefault::ThousandDaysAgo, "", 0};
}  // namespace InfoKey

// Section "Info" in the order SaveClick writes it; the last four are persistent state that
// SaveClick leaves alone.
inline constexpr std::array<const ConfigKey*, 23> InfoKeys = {
    &InfoKey::DefaultDirectory, &InfoKey::DisplayOrder,         &InfoKey::ImgMgrDirectory,  &InfoKey::TriggerMeasure,
    &InfoKey::DefaultDisplay,   &InfoKey::ExceptDefaultDisplay, &InfoKey::ExceptWidth,      &InfoKey::ExceptHeight,
    &InfoKey::ExceptEnabled,    &InfoKey::IMSplitter,           &InfoKey::SysTrayClick,     &InfoKey::ConfirmRemove,
    &InfoKey::FillColor,        &InfoKey::TriggerQty,           &InfoKey::AutoCloseMinutes, &InfoKey::AutoClose,
    &InfoKey::OpenMinimized,    &InfoKey::PlusInstalled,        &InfoKey::SortImages,       &InfoKey::ExecSinceChg,
    &InfoKey::LastImageNm,      &InfoKey::LastDispStr,          &InfoKey::LastChgDateTime};

inline constexpr std::string_view MarkedSuffix = ".MARKED";
inline constexpr std::string_view NotMarkedSuffix = ".NOT";
// The longest stored value IniLoad takes from a "Bitmaps" line.
inline constexpr std::size_t MaxBitmapsValue = 1000;
