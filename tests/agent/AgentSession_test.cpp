#include "agent/AgentSession.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TImageList ListOf(std::initializer_list<ImageEntry> entries, int selected) {
  TImageList list;
  list.SetSorted(false);
  for (const ImageEntry& entry : entries) list.Append(entry);
  if (selected >= 0) list.SetSelected(selected, true);
  return list;
}

}  // namespace

TEST(AgentSession, AFailingRunIsToldOnceAndTakenBackByTheNextSuccess) {
  TAgentState state;
  TAgentSession session(state);
  EXPECT_FALSE(session.ChangeSucceeded());
  EXPECT_TRUE(session.ChangeFailed("The desktop could not be reached"));
  EXPECT_FALSE(session.ChangeFailed("The desktop refused"));
  EXPECT_EQ(state.ChangeFailure, "The desktop refused");
  EXPECT_EQ(session.TrayTip("a.jpg (CENTER)"), "The desktop refused");
  EXPECT_EQ(session.NoTrayCaption(), "Tesserine agent: The desktop refused");
  EXPECT_TRUE(session.ChangeSucceeded());
  EXPECT_TRUE(state.ChangeFailure.empty());
  EXPECT_EQ(session.NoTrayCaption(), "Tesserine agent (no system tray: restore to change the settings)");
  EXPECT_FALSE(session.ChangeSucceeded());
  // A new run of failures is told again.
  EXPECT_TRUE(session.ChangeFailed("again"));
}

TEST(AgentSession, WhatTheAgentDoesFirstWhenItStarts) {
  struct Row {
    const char* name;
    int selected;
    std::string lastImage;
    std::string lastDisp;
    std::string currentDisp;
    TAgentStart::Step step;
    int index;
  };
  const Row rows[] = {
      {"current is the last applied", 1, "/b", "TILE", "TILE", TAgentStart::Step::None, -1},
      {"its method changed since", 1, "/b", "TILE", "CENTER", TAgentStart::Step::ApplyCurrent, 1},
      {"back to the last applied", 0, "/b", "TILE", "CENTER", TAgentStart::Step::SelectLast, 1},
      {"last applied is not in the list", 0, "/gone", "TILE", "CENTER", TAgentStart::Step::None, -1},
      {"nothing selected, nothing applied yet", -1, "", "", "CENTER", TAgentStart::Step::None, -1},
  };
  for (const Row& row : rows) {
    TAgentState state;
    state.LastImageNm = row.lastImage;
    state.LastDispStr = row.lastDisp;
    const TImageList list = ListOf({{"/a", DispObj::Center, -1}, {"/b", DispObj::Tile, -1}}, row.selected);
    const TAgentStart start = TAgentSession(state).Start(list, row.currentDisp);
    EXPECT_EQ(start.step, row.step) << row.name;
    EXPECT_EQ(start.index, row.index) << row.name;
  }
  const TImageList marks = ListOf(
      {{"/a", DispObj::Center, 0}, {"/b", DispObj::Tile, 1}, {"/c", DispObj::Tile, 0}, {"/d", DispObj::Tile, -1}}, 0);
  EXPECT_EQ(TAgentSession::CycleRemainingAtStart(marks), 2);
}

TEST(AgentSession, TrayClickFollowsTheChosenAction) {
  const std::pair<TrayClickAction, TrayCommand> rows[] = {
      {TrayClickAction::OpenProperties, TrayCommand::Properties},
      {TrayClickAction::NextImage, TrayCommand::NextImage},
      {TrayClickAction::RemoveImage, TrayCommand::RemoveImage},
      {TrayClickAction::PauseResume, TrayCommand::PauseResume},
      {TrayClickAction::None, TrayCommand::None},
  };
  for (const auto& [action, command] : rows) {
    EXPECT_EQ(TAgentSession::TrayClick(action, true), command) << static_cast<int>(action);
    EXPECT_EQ(TAgentSession::TrayClick(action, false), TrayCommand::Menu) << static_cast<int>(action);
  }
}

TEST(AgentSession, TrayHintAndTip) {
  TAgentState state;
  state.LastImageNm = "/pictures/sea.jpg";
  state.LastDispStr = "STRETCH";
  const TAgentSession session(state);
  struct Row {
    std::string wallpaper;
    std::string tile;
    std::string hint;
  };
  const Row rows[] = {
      {"/pictures/sea.jpg", "0", "sea.jpg (STRETCH)"},
      {"/prog/Tesserina Convert.BMP", "0", "sea.jpg (STRETCH)"},
      {"/prog/Tesserina Convert 2.BMP", "1", "sea.jpg (STRETCH)"},
      {"/other/forest.png", "1", "forest.png (TILED)"},
      {"/other/forest.png", "0", "forest.png (CENTERED)"},
      {"*ERROR*", "", "*ERROR* (CENTERED)"},
  };
  for (const Row& row : rows) EXPECT_EQ(session.TrayHint(row.wallpaper, row.tile, "/prog/"), row.hint) << row.wallpaper;

  EXPECT_EQ(session.TrayTip("first|second"), "first");
  const QString long70 = QString(70, QLatin1Char('x'));
  EXPECT_EQ(session.TrayTip(long70).size(), 63);
  // A character outside the basic plane that the cut would halve goes whole.
  const QString emoji = QString(62, QLatin1Char('x')) + QString::fromUtf8("\xF0\x9F\x8C\x8A") + "tail";
  EXPECT_EQ(session.TrayTip(emoji), QString(62, QLatin1Char('x')));
}

TEST(AgentSession, CommandsFromOutsideWaitForNothing) {
  TCommandGate gate;
  {
    const auto admitted = TAgentSession::AdmitRemote(gate);
    EXPECT_FALSE(gate.Open());
    try {
      const auto second = TAgentSession::AdmitRemote(gate);
      ADD_FAILURE() << "a second command was let through";
    } catch (const TRemoteRefusal& refusal) {
      EXPECT_EQ(refusal.GetReason(), TRemoteRefusal::Reason::Busy);
    }
  }
  EXPECT_TRUE(gate.Open());
  EXPECT_NO_THROW(TAgentSession::RequireRunning(true));
  try {
    TAgentSession::RequireRunning(false);
    ADD_FAILURE() << "pausing a stopped agent was let through";
  } catch (const TRemoteRefusal& refusal) {
    EXPECT_EQ(refusal.GetReason(), TRemoteRefusal::Reason::AgentNotRunning);
  }
}
