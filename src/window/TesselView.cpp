// The window as the agent's view: what the agent tells it to show.
#include <QPushButton>
#include <QTabWidget>
#include <QTreeView>

#include "widgets/ImageListModel.h"
#include "window/Tessel.h"

void TTesselForm1::ShowSelection(int index) {
  ListChanged();
  ScrollIntoView(index);
  ItemSelectUpdt();
}

void TTesselForm1::ShowCurrent() { ItemSelectUpdt(); }

void TTesselForm1::ShowEntries() { ListModel->EntriesChanged(); }

void TTesselForm1::ShowRemoved(int index) {
  ShowSelection(index);
  Change(Remove);
  if (PageControl1->currentWidget() == ImagesPage && !AgentRun->Running()) ListView1->setFocus();
}

void TTesselForm1::FoldersSynced(bool currentChanged) {
  ListChanged();
  ShowCount();
  if (currentChanged) ItemSelectUpdt();
  SetButtons();
}

void TTesselForm1::EnableResetMarked(bool enabled) { ResetMarked->setEnabled(enabled); }

void TTesselForm1::Changed() { Change(nullptr); }

void TTesselForm1::ShowPreviousEnabled(bool enabled) { Previous1->setEnabled(enabled); }

void TTesselForm1::ApplyCurrent() { ApplyClick(OK); }

void TTesselForm1::ShowWindow() {
  if (AgentRun->Running()) {
    Properties1Click(this);
    return;
  }
  showNormal();
  raise();
  activateWindow();
}

void TTesselForm1::Quit() {
  Terminating = true;
  emit TerminateRequested();
}
