// The scheduler and the selection order on the window: the tick, the unsaved marker that
// every change of a setting or of the list sets, and the commands on the random cycle.
#include <QCheckBox>
#include <QPushButton>

#include "window/Tessel.h"

void TTesselForm1::Timer1Timer(QObject* sender) {
  AgentRun->Tick([this, sender] {
    CloseClick(sender);
    return Closed;
  });
}

void TTesselForm1::Change(QObject*) {
  AutoClose->setChecked(AutoCloseAfterChange(Values));
  SetUnsaved(true);
}

void TTesselForm1::SetUnsaved(bool unsaved) {
  if (unsaved)
    Unsaved.Mark();
  else
    Unsaved.Clear();
  Save->setEnabled(unsaved);
  Reload->setEnabled(unsaved);
}

void TTesselForm1::ResetMarkedClick(QObject*) { AgentRun->ResetMarks(); }

void TTesselForm1::orderClick(QObject* sender) {
  AgentRun->ResetMarks();
  Change(sender);
}
