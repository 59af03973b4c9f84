#include "config/UnsavedChanges.h"

#include <gtest/gtest.h>

TEST(UnsavedChanges, WhatEachClosePathDoesWithTheSettings) {
  struct Row {
    ClosePath path;
    bool unsaved;
    bool agentRunning;
    bool closeHandled;
    CloseSave expected;
  };
  const Row rows[] = {
      {ClosePath::Window, false, false, false, CloseSave::Skip},
      {ClosePath::Window, true, false, false, CloseSave::Ask},
      // The running agent's own state is saved without a question.
      {ClosePath::Window, false, true, false, CloseSave::Save},
      {ClosePath::Window, true, true, false, CloseSave::Save},
      {ClosePath::CloseButton, false, false, false, CloseSave::Skip},
      {ClosePath::CloseButton, true, false, false, CloseSave::Ask},
      {ClosePath::TrayMenuClose, false, true, false, CloseSave::Skip},
      {ClosePath::TrayMenuClose, true, true, false, CloseSave::Save},
      // Nobody may be there to answer at the session's end or the exit.
      {ClosePath::SessionEnd, false, false, false, CloseSave::Save},
      {ClosePath::SessionEnd, true, false, false, CloseSave::Save},
      {ClosePath::SessionEnd, true, false, true, CloseSave::Skip},
      {ClosePath::Exit, true, true, false, CloseSave::Save},
      {ClosePath::Exit, true, false, true, CloseSave::Skip},
  };
  for (const Row& row : rows)
    EXPECT_EQ(SaveOnClose(row.path, row.unsaved, row.agentRunning, row.closeHandled), row.expected)
        << static_cast<int>(row.path) << " unsaved " << row.unsaved << " agent " << row.agentRunning << " handled "
        << row.closeHandled;

  TUnsavedChanges state;
  EXPECT_FALSE(state.Unsaved());
  state.Mark();
  state.Mark();
  EXPECT_TRUE(state.Unsaved());
  state.Clear();
  EXPECT_FALSE(state.Unsaved());
}
