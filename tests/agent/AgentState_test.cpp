#include "agent/AgentState.h"

#include <gtest/gtest.h>

TEST(AgentState, ClickActionOfTheListsItemIndex) {
  const std::pair<int, TrayClickAction> rows[] = {
      {-1, TrayClickAction::None},       {0, TrayClickAction::OpenProperties}, {1, TrayClickAction::NextImage},
      {2, TrayClickAction::RemoveImage}, {3, TrayClickAction::PauseResume},    {4, TrayClickAction::None},
      {70000, TrayClickAction::None}};
  for (const auto& [index, action] : rows) EXPECT_EQ(TrayClickActionAt(index), action) << index;
}
