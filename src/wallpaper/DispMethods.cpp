#include "wallpaper/DispMethods.h"

#include <QString>

namespace {

struct DispRow {
  std::string_view text;
  std::string_view menuCaption;
  DispAttr attr;
};

constexpr std::array<DispRow, DispObjCount> kRows = {{
    {"TILE", "&Tile", {true, false, false}},
    {"CENTER", "&Center", {false, false, false}},
    {"STRETCH", "&Stretch", {false, true, true}},
    {"MIRROR_TILE", "&Mirror Tile", {true, false, true}},
    {"BRICK_TILE", "&Brick Tile", {true, false, true}},
    {"RATIO_STRETCH", "&Ratio Stretch", {false, true, true}},
    {"DOUBLE_TILE", "&Double Tile", {true, false, true}},
}};

bool InRange(DispObj code) { return ToInt(code) >= 0 && ToInt(code) < DispObjCount; }

}  // namespace

DispAttr DispTypeAttr(DispObj code) { return InRange(code) ? kRows[ToInt(code)].attr : DispAttr{}; }

std::string_view DispText(DispObj code) { return InRange(code) ? kRows[ToInt(code)].text : std::string_view{}; }

std::string_view DispMenuCaption(DispObj code) {
  return InRange(code) ? kRows[ToInt(code)].menuCaption : std::string_view{};
}

DispObj DispStrToObj(std::string_view text, DispObj defDisp) {
  if (text == "CENTER.STRETCH") return DispObj::Stretch;
  for (int i = 0; i < DispObjCount; ++i) {
    if (kRows[i].text == text) return ToDispObj(i);
  }
  return defDisp;
}

DispObj DispFromControls(const DispControls& controls) {
  switch (controls.radio) {
    case DispRadio::Tile:
      return DispObj::Tile;
    case DispRadio::Center:
      return controls.stretch ? DispObj::Stretch : DispObj::Center;
    case DispRadio::Special:
      if (controls.specialIndex >= 0 && controls.specialIndex <= 3) return ToDispObj(3 + controls.specialIndex);
      return DispObj::None;
    case DispRadio::None:
      break;
  }
  return DispObj::None;
}

DispControls DispControlsFor(DispObj code) {
  if (IsSpecial(code)) return {DispRadio::Special, false, ToInt(code) - ToInt(DispObj::MirrorTile)};
  switch (code) {
    case DispObj::Tile:
      return {DispRadio::Tile, false, -1};
    case DispObj::Center:
      return {DispRadio::Center, false, -1};
    case DispObj::Stretch:
      return {DispRadio::Center, true, -1};
    default:
      break;
  }
  return {};
}

std::string DispObjToStr(DispObj code, const DispControls& controls, std::string_view defDispStr) {
  std::string_view text = code == DispObj::None ? DispText(DispFromControls(controls)) : DispText(code);
  return std::string(text.empty() ? defDispStr : text);
}

std::string_view DefDispStr(int defDispIndex) {
  std::string_view text = DispText(ToDispObj(defDispIndex));
  return text.empty() ? kRows[0].text : text;
}

DispObj DefDispObj(int defDispIndex) { return DispStrToObj(DefDispStr(defDispIndex), DispObj::Tile); }

DispObj NextIconMethod(DispObj shown) {
  switch (shown) {
    case DispObj::Tile:
      return DispObj::MirrorTile;
    case DispObj::MirrorTile:
      return DispObj::BrickTile;
    case DispObj::BrickTile:
      return DispObj::RatioStretch;
    case DispObj::RatioStretch:
      return DispObj::DoubleTile;
    case DispObj::DoubleTile:
      return DispObj::Center;
    case DispObj::Center:
      return DispObj::Stretch;
    case DispObj::Stretch:
      return DispObj::Tile;
    case DispObj::None:
      break;
  }
  return DispObj::None;
}

int DispCodeOfText(std::string_view text) {
  const QString wanted = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  for (int code = 0; code < DispObjCount; ++code) {
    const std::string_view known = DispText(ToDispObj(code));
    if (wanted.compare(QString::fromUtf8(known.data(), static_cast<qsizetype>(known.size())), Qt::CaseInsensitive) == 0)
      return code;
  }
  return -1;
}
