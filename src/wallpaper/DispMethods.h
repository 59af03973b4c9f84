// Display methods: the integer code every list entry carries, its text code as stored
// in the configuration file, and the attributes from which the desktop settings follow.
//
// Data flow: the configuration file and the menus give text codes or tags; DispStrToObj
// turns them into a DispObj; DispTypeAttr tells the wallpaper hand-over whether to tile,
// stretch or convert; DispObjToStr writes the code back. The Images page's display
// controls reach these functions as a DispControls value, so nothing here reads a widget.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

enum class DispObj : std::int32_t {
  None = -1,
  Tile = 0,
  Center = 1,
  Stretch = 2,
  MirrorTile = 3,
  BrickTile = 4,
  RatioStretch = 5,
  DoubleTile = 6,
};

inline constexpr int DispObjCount = 7;

constexpr std::int32_t ToInt(DispObj code) { return static_cast<std::int32_t>(code); }
constexpr DispObj ToDispObj(std::int32_t code) { return static_cast<DispObj>(code); }

// True for the four layouts the program composes itself.
constexpr bool IsSpecial(DispObj code) { return ToInt(code) >= 3 && ToInt(code) <= 6; }

struct DispAttr {
  bool isTile = false;
  bool isStretch = false;
  bool needsConvert = false;
};

// Attributes of codes 0 to 6; any other code has all three false.
DispAttr DispTypeAttr(DispObj code);

// The text code of codes 0 to 6 ("TILE" ... "DOUBLE_TILE"), empty for any other code.
std::string_view DispText(DispObj code);

// Menu captions of codes 0 to 6 ("&Tile" ... "&Double Tile").
std::string_view DispMenuCaption(DispObj code);

// The order of the "Display Type" menu items: Center, Stretch, Tile, then the specials.
inline constexpr std::array<DispObj, DispObjCount> DispMenuOrder = {
    DispObj::Center,    DispObj::Stretch,      DispObj::Tile,      DispObj::MirrorTile,
    DispObj::BrickTile, DispObj::RatioStretch, DispObj::DoubleTile};

// The method a click on the Images page's method icon moves on to, as the user would through
// the Display group: Tile, Mirror Tile, Brick Tile, Ratio Stretch, Double Tile, Center,
// Stretch and back to Tile. None stays None.
DispObj NextIconMethod(DispObj shown);

// Whole-text, case-sensitive match of a stored text code; "CENTER.STRETCH" also means
// STRETCH. Anything else yields defDisp.
DispObj DispStrToObj(std::string_view text, DispObj defDisp);

// State of the Images page's display group: which radio button is checked, the Stretch
// check box, and the item index of the "Special:" list (-1 when nothing is chosen).
enum class DispRadio { None, Tile, Center, Special };
struct DispControls {
  DispRadio radio = DispRadio::None;
  bool stretch = false;
  int specialIndex = -1;
};

// The code the display controls stand for, or None when they name no method.
DispObj DispFromControls(const DispControls& controls);
// The display controls that stand for code, the other way round: specialIndex is -1 for a
// code that is none of the composed layouts, and the radio None for a code that is no method.
DispControls DispControlsFor(DispObj code);

// Text code of a code; -1 reads the display controls; an empty result becomes defDispStr.
std::string DispObjToStr(DispObj code, const DispControls& controls, std::string_view defDispStr);

// Text code of the item selected in the "Default Display" box (item index = code).
// With no selection (index -1) the default falls back to "TILE".
std::string_view DefDispStr(int defDispIndex);
DispObj DefDispObj(int defDispIndex);

// The code (0..DispObjCount - 1) whose DispText equals text, in letters of either case as a
// code box finds it; -1 for none.
int DispCodeOfText(std::string_view text);
