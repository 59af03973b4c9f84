#include "agent/AgentSession.h"

#include "platform/system/PathParts.h"
#include "wallpaper/WallpaperApply.h"

bool TAgentSession::ChangeFailed(const std::string& why) {
  const bool first = state_.ChangeFailure.empty();
  state_.ChangeFailure = why;
  return first;
}

bool TAgentSession::ChangeSucceeded() {
  if (state_.ChangeFailure.empty()) return false;
  state_.ChangeFailure.clear();
  return true;
}

TAgentStart TAgentSession::Start(const TImageList& list, const std::string& currentDispText) const {
  const int current = list.FirstSelected();
  const std::string currentName = current < 0 ? std::string() : list.At(current).fileName;
  if (currentName != state_.LastImageNm) {
    const int last = list.Find(state_.LastImageNm);
    return last >= 0 ? TAgentStart{TAgentStart::Step::SelectLast, last} : TAgentStart{};
  }
  if (current >= 0 && currentDispText != state_.LastDispStr) return {TAgentStart::Step::ApplyCurrent, current};
  return {};
}

std::int32_t TAgentSession::CycleRemainingAtStart(const TImageList& list) {
  std::int32_t remaining = 0;
  for (int i = 0; i < list.Count(); ++i)
    if (list.At(i).mark == 0) ++remaining;
  return remaining;
}

TrayCommand TAgentSession::TrayClick(TrayClickAction action, bool leftButton) {
  if (!leftButton) return TrayCommand::Menu;
  switch (action) {
    case TrayClickAction::OpenProperties:
      return TrayCommand::Properties;
    case TrayClickAction::NextImage:
      return TrayCommand::NextImage;
    case TrayClickAction::RemoveImage:
      return TrayCommand::RemoveImage;
    case TrayClickAction::PauseResume:
      return TrayCommand::PauseResume;
    case TrayClickAction::None:
      break;
  }
  return TrayCommand::None;
}

std::string TAgentSession::TrayHint(const std::string& wallpaper, const std::string& tileWallpaper,
                                    const std::string& programFolder) const {
  std::string name = state_.LastImageNm;
  std::string kind = state_.LastDispStr;
  if (!IsMonitorConvertFileName(programFolder, wallpaper) && wallpaper != state_.LastImageNm) {
    name = wallpaper;
    kind = tileWallpaper == "1" ? "TILED" : "CENTERED";
  }
  return FileNamePart(name) + " (" + kind + ")";
}

QString TAgentSession::TrayTip(const QString& hint) const {
  if (!state_.ChangeFailure.empty()) return QString::fromStdString(state_.ChangeFailure);
  QString tip = hint.section(QLatin1Char('|'), 0, 0);
  if (tip.size() > 63) tip.truncate(tip.at(62).isHighSurrogate() ? 62 : 63);
  return tip;
}

QString TAgentSession::NoTrayCaption() const {
  if (state_.ChangeFailure.empty())
    return QStringLiteral("Tesserine agent (no system tray: restore to change the settings)");
  return "Tesserine agent: " + QString::fromStdString(state_.ChangeFailure);
}

void TAgentSession::RequireRunning(bool agentRunning) {
  if (!agentRunning) throw TRemoteRefusal(TRemoteRefusal::Reason::AgentNotRunning, "The agent is not running");
}
