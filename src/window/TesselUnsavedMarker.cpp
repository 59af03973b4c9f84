// The unsaved marker: a change of a setting or of the list marks the configuration as
// changed, and the Save and Reload buttons show that it is.
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

#include "config/ConfigValues.h"
#include "window/Tessel.h"

void TTesselForm1::Change(QObject*) {
  if (TriggerMeasureAt(execTypeCB->currentIndex()) == TriggerMeasure::Executions) AutoClose->setChecked(true);
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
