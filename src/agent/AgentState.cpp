#include "agent/AgentState.h"

TrayClickAction TrayClickActionAt(int itemIndex) {
  return itemIndex >= 0 && itemIndex <= 3 ? static_cast<TrayClickAction>(itemIndex) : TrayClickAction::None;
}

void TAgentState::RecordChange(const std::string& imageName, double now) {
  LastImageNm = imageName;
  LastChgDateTime = now;
  ExecSinceChg = 0;
  ExecCounted = true;
}
