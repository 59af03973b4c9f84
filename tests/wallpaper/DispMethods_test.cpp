#include "wallpaper/DispMethods.h"

#include <gtest/gtest.h>

#include "wallpaper/BusyCursor.h"

namespace {

TEST(DispStrToObj, MatchesWholeTextCaseSensitively) {
  struct Row {
    const char* text;
    DispObj def;
    DispObj expected;
  };
  const Row rows[] = {
      {"TILE", DispObj::Center, DispObj::Tile},
      {"CENTER", DispObj::Tile, DispObj::Center},
      {"STRETCH", DispObj::Tile, DispObj::Stretch},
      {"CENTER.STRETCH", DispObj::Tile, DispObj::Stretch},
      {"MIRROR_TILE", DispObj::Tile, DispObj::MirrorTile},
      {"BRICK_TILE", DispObj::Tile, DispObj::BrickTile},
      {"RATIO_STRETCH", DispObj::Tile, DispObj::RatioStretch},
      {"DOUBLE_TILE", DispObj::Tile, DispObj::DoubleTile},
      {"tile", DispObj::Center, DispObj::Center},
      {" TILE", DispObj::Center, DispObj::Center},
      {"TILE ", DispObj::Center, DispObj::Center},
      {"", DispObj::RatioStretch, DispObj::RatioStretch},
      {"TIL", DispObj::Center, DispObj::Center},
      {"CENTER.STRETCH.NOT", DispObj::DoubleTile, DispObj::DoubleTile},
  };
  for (const Row& row : rows) EXPECT_EQ(DispStrToObj(row.text, row.def), row.expected) << row.text;
}

TEST(DispObjToStr, CodesOutsideTheTableGiveTheDefault) {
  const DispControls none{};
  EXPECT_EQ(DispObjToStr(DispObj::Stretch, none, "TILE"), "STRETCH");
  EXPECT_EQ(DispObjToStr(ToDispObj(7), none, "CENTER"), "CENTER");
  EXPECT_EQ(DispObjToStr(ToDispObj(-2), none, "BRICK_TILE"), "BRICK_TILE");
}

TEST(DispObjToStr, MinusOneReadsTheDisplayControls) {
  struct Row {
    DispControls controls;
    const char* expected;
  };
  const Row rows[] = {
      {{DispRadio::Tile, true, -1}, "TILE"},           {{DispRadio::Center, false, -1}, "CENTER"},
      {{DispRadio::Center, true, 2}, "STRETCH"},       {{DispRadio::Special, false, 0}, "MIRROR_TILE"},
      {{DispRadio::Special, true, 1}, "BRICK_TILE"},   {{DispRadio::Special, false, 2}, "RATIO_STRETCH"},
      {{DispRadio::Special, false, 3}, "DOUBLE_TILE"}, {{DispRadio::Special, false, -1}, "CENTER"},
      {{DispRadio::None, false, 0}, "CENTER"},
  };
  for (const Row& row : rows) EXPECT_EQ(DispObjToStr(DispObj::None, row.controls, "CENTER"), row.expected);
}

// The Images page shows a method on its display group and reads the group back as that
// method; a code that is no method leaves the group empty.
TEST(DispControlsFor, IsWhatTheControlsReadBackAs) {
  for (int code = 0; code < DispObjCount; ++code)
    EXPECT_EQ(DispFromControls(DispControlsFor(ToDispObj(code))), ToDispObj(code)) << code;
  EXPECT_EQ(DispControlsFor(DispObj::Stretch).radio, DispRadio::Center);
  EXPECT_EQ(DispControlsFor(DispObj::Center).specialIndex, -1);
  for (DispObj noMethod : {DispObj::None, ToDispObj(7)}) {
    EXPECT_EQ(DispControlsFor(noMethod).radio, DispRadio::None);
    EXPECT_EQ(DispFromControls(DispControlsFor(noMethod)), DispObj::None);
  }
}

TEST(DispTypeAttr, FollowsTheMethodTable) {
  struct Row {
    DispObj code;
    bool tile, stretch, convert;
  };
  const Row rows[] = {
      {DispObj::Tile, true, false, false},      {DispObj::Center, false, false, false},
      {DispObj::Stretch, false, true, true},    {DispObj::MirrorTile, true, false, true},
      {DispObj::BrickTile, true, false, true},  {DispObj::RatioStretch, false, true, true},
      {DispObj::DoubleTile, true, false, true}, {ToDispObj(9), false, false, false},
  };
  for (const Row& row : rows) {
    const DispAttr attr = DispTypeAttr(row.code);
    EXPECT_EQ(attr.isTile, row.tile) << ToInt(row.code);
    EXPECT_EQ(attr.isStretch, row.stretch) << ToInt(row.code);
    EXPECT_EQ(attr.needsConvert, row.convert) << ToInt(row.code);
  }
}

TEST(DefDisp, NoSelectionFallsBackToTile) {
  EXPECT_EQ(DefDispStr(-1), "TILE");
  EXPECT_EQ(DefDispObj(-1), DispObj::Tile);
  EXPECT_EQ(DefDispStr(5), "RATIO_STRETCH");
  EXPECT_EQ(DispStrToObj("unknown", DefDispObj(5)), DispObj::RatioStretch);
}

TEST(BusyCursor, NestsAndNeverGoesBelowZero) {
  std::vector<bool> switches;
  TBusyCursor counter([&](bool busy) { switches.push_back(busy); });
  counter.BeginBusy();
  counter.BeginBusy();
  counter.EndBusy();
  EXPECT_EQ(switches, std::vector<bool>{true});
  counter.EndBusy();
  EXPECT_EQ(switches, (std::vector<bool>{true, false}));
  counter.EndBusy();
  EXPECT_EQ(counter.Count(), 0);
  EXPECT_EQ(switches, (std::vector<bool>{true, false, false}));
}

TEST(BusyCursor, ScopeEndsOnException) {
  TBusyCursor counter(nullptr);
  try {
    const auto busy = BusySection(counter);
    EXPECT_EQ(counter.Count(), 1);
    throw std::runtime_error("fail");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(counter.Count(), 0);
}

}  // namespace

TEST(NextIconMethod, VisitsEveryMethodOnceAndComesBack) {
  const DispObj cycle[] = {DispObj::Tile,       DispObj::MirrorTile, DispObj::BrickTile, DispObj::RatioStretch,
                           DispObj::DoubleTile, DispObj::Center,     DispObj::Stretch};
  for (std::size_t i = 0; i < std::size(cycle); ++i)
    EXPECT_EQ(NextIconMethod(cycle[i]), cycle[(i + 1) % std::size(cycle)]) << ToInt(cycle[i]);
  EXPECT_EQ(NextIconMethod(DispObj::None), DispObj::None);
}
