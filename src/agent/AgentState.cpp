#include "agent/AgentState.h"

void TAgentState::RecordChange(const std::string& imageName, double now) {
  LastImageNm = imageName;
  LastChgDateTime = now;
  ExecSinceChg = 0;
  ExecCounted = true;
}
