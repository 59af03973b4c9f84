#include "config/ConfigValues.h"

#include <algorithm>
#include <charconv>

#include "config/ConfigKeys.h"

DisplayOrder ParseDisplayOrder(std::string_view text) {
  if (text == "RANDOM") return DisplayOrder::Random;
  if (text == "RANDOM_CYCLE") return DisplayOrder::RandomCycle;
  return DisplayOrder::Sequential;
}

std::string_view DisplayOrderText(DisplayOrder order) {
  switch (order) {
    case DisplayOrder::Random:
      return "RANDOM";
    case DisplayOrder::RandomCycle:
      return "RANDOM_CYCLE";
    case DisplayOrder::Sequential:
      break;
  }
  return "SEQUENTIAL";
}

MonitorMode ParseMonitorMode(std::string_view text) {
  if (text == "EACH") return MonitorMode::Each;
  if (text == "SPAN") return MonitorMode::Span;
  return MonitorMode::Same;
}

std::string_view MonitorModeText(MonitorMode mode) {
  switch (mode) {
    case MonitorMode::Each:
      return "EACH";
    case MonitorMode::Span:
      return "SPAN";
    case MonitorMode::Same:
      break;
  }
  return "SAME";
}

MonitorMode MonitorModeAt(int itemIndex) {
  return itemIndex == 1 ? MonitorMode::Each : itemIndex == 2 ? MonitorMode::Span : MonitorMode::Same;
}

namespace {
constexpr std::string_view kMeasureTexts[] = {"DAYS", "EXECUTIONS", "HOURS", "MINUTES", "SECONDS"};
}

TrayClickAction TrayClickActionAt(int itemIndex) {
  return itemIndex >= 0 && itemIndex <= 3 ? static_cast<TrayClickAction>(itemIndex) : TrayClickAction::None;
}

TriggerMeasure ParseTriggerMeasure(std::string_view text) {
  for (int i = 1; i < 5; ++i)
    if (text == kMeasureTexts[i]) return static_cast<TriggerMeasure>(i);
  return TriggerMeasure::Days;
}

TriggerMeasure TriggerMeasureAt(int itemIndex) {
  return itemIndex >= 1 && itemIndex <= 4 ? static_cast<TriggerMeasure>(itemIndex) : TriggerMeasure::Days;
}

std::string_view TriggerMeasureText(int itemIndex) {
  return itemIndex >= 1 && itemIndex <= 4 ? kMeasureTexts[itemIndex] : kMeasureTexts[0];
}

TStoredDisp DecodeBitmapsValue(std::string_view value, bool randomCycle, DispObj defDisp) {
  const std::size_t dot = value.rfind('.');
  const std::size_t sep = value.find_last_of("/\\:");
  std::string_view code = value;
  std::string_view extension;
  if (dot != std::string_view::npos && (sep == std::string_view::npos || dot > sep)) {
    extension = value.substr(dot);
    code = value.substr(0, dot);
  }
  TStoredDisp stored;
  stored.mark = extension == MarkedSuffix && randomCycle ? 1 : 0;
  stored.disp = DispStrToObj(code, defDisp);
  return stored;
}

std::string EncodeBitmapsValue(std::string_view dispText, std::int32_t mark, bool randomCycle) {
  std::string value(dispText);
  value += mark == 1 && randomCycle ? MarkedSuffix : NotMarkedSuffix;
  return value;
}

std::string BitmapsLineValue(std::string_view line) {
  const std::size_t eq = line.rfind('=');
  if (eq == std::string_view::npos) return {};
  return std::string(line.substr(eq + 1, MaxBitmapsValue));
}

std::string BitmapsLineName(std::string_view key, std::string_view line) {
  return std::string(line.find('=') == std::string_view::npos ? line : key);
}

std::int32_t ClampUpDown(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, -32768, 32767));
}

std::int32_t StrToInt(std::string_view text) {
  std::string_view digits = text;
  while (!digits.empty() && digits.front() == ' ') digits.remove_prefix(1);
  while (!digits.empty() && digits.back() == ' ') digits.remove_suffix(1);
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
    throw TConvertError("'" + std::string(text) + "' is not a valid integer value");
  return value;
}
