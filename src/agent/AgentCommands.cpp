// Commands that take entries out of the list: the tray's Remove and the Images page's.
#include "agent/Agent.h"
#include "agent/AgentFolders.h"

bool TAgent::RemoveCurrentEntry() {
  const int current = list_.FirstSelected();
  if (current < 0) return false;
  if (settings_.ConfirmRemove) {
    const QString question = QStringLiteral("Are you sure you want to remove %1 from the background images list?")
                                 .arg(QString::fromStdString(list_.At(current).fileName));
    if (view_.Ask(question, MsgKind::Confirmation, MsgButtons::YesNo) != MsgAnswer::Yes) return false;
  }
  RemoveCurrent();
  NextBackground();
  return true;
}

void TAgent::RemoveCurrent() {
  const int current = list_.FirstSelected();
  if (current < 0) return;
  folders_->Exclude({list_.At(current).fileName});
  view_.ShowRemoved(RemoveAndReselect(list_, current));
}

void TAgent::RemoveSelected() {
  if (list_.FirstSelected() < 0) return;
  std::vector<std::string> removed;
  for (int i = 0; i < list_.Count(); ++i)
    if (list_.Selected(i)) removed.push_back(list_.At(i).fileName);
  folders_->Exclude(removed);
  view_.ShowRemoved(::RemoveSelected(list_));
}
