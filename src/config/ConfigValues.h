// The value rules of the configuration file as plain functions: the "Bitmaps" value of an
// entry and back, the enumerated texts of "Display Order" and "Trigger Measure", the
// tray-click action, the up-down range and the integer conversion of the number fields.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "wallpaper/DispMethods.h"

enum class DisplayOrder { Sequential, Random, RandomCycle };
// Several monitors: the same picture on all, the next entry on each, or one across them all.
enum class MonitorMode { Same, Each, Span };
enum class TriggerMeasure { Days = 0, Executions = 1, Hours = 2, Minutes = 3, Seconds = 4 };
// The items of the "Click on System Tray icon" list, by item index.
enum class TrayClickAction { None = -1, OpenProperties = 0, NextImage = 1, RemoveImage = 2, PauseResume = 3 };

// Whole-text, case-sensitive; anything unknown is Sequential / Days.
DisplayOrder ParseDisplayOrder(std::string_view text);
std::string_view DisplayOrderText(DisplayOrder order);
TriggerMeasure ParseTriggerMeasure(std::string_view text);
// "SAME", "EACH" or "SPAN", whole text and case-sensitive; anything else is Same.
MonitorMode ParseMonitorMode(std::string_view text);
std::string_view MonitorModeText(MonitorMode mode);
// The mode at an item index of the "Several monitors" list, in the order of MonitorMode; any
// other index is Same.
MonitorMode MonitorModeAt(int itemIndex);
// The measure at an item index of the trigger list; any index outside 0..4 is Days.
TriggerMeasure TriggerMeasureAt(int itemIndex);
// Any index outside 1..4 writes "DAYS".
std::string_view TriggerMeasureText(int itemIndex);
// The action at an item index of the tray-click list; an index outside 0..3 (no item chosen,
// or a number from a hand-edited file) is None, for which a left click does nothing.
TrayClickAction TrayClickActionAt(int itemIndex);

struct TStoredDisp {
  DispObj disp = DispObj::Tile;
  std::int32_t mark = 0;
};
// Decodes a stored value: its last extension (after any "/" or ":") is the mark suffix,
// the rest the text code; ".MARKED" counts only under Random Cycle.
TStoredDisp DecodeBitmapsValue(std::string_view value, bool randomCycle, DispObj defDisp);
// The text code plus ".MARKED" (mark 1 under Random Cycle) or ".NOT".
std::string EncodeBitmapsValue(std::string_view dispText, std::int32_t mark, bool randomCycle);
// The stored value of a "Bitmaps" line: the text after its last "=", at most 1000
// characters; a line without "=" has an empty value.
std::string BitmapsLineValue(std::string_view line);
// The file name of a "Bitmaps" line: its key, or the whole line when it has no "=".
std::string BitmapsLineName(std::string_view key, std::string_view line);

// The 16-bit position range of the up-down controls.
std::int32_t ClampUpDown(std::int64_t value);

// A number field's text that is not an integer.
class TConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
// Decimal 32-bit integer with optional sign and surrounding blanks; throws TConvertError
// "'<text>' is not a valid integer value".
std::int32_t StrToInt(std::string_view text);
