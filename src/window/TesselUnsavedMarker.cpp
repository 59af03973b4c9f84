#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

#include "config/ConfigValues.h"
#include "window/Tessel.h"

void TTesselForm1::Change(QObject*) {
  if (TriggerMeasureAt(execTypeCB->currentIndex()) == TriggerMeasure::Executions) AutoClose->setChecked(true);
  Save->setEnabled(true);
  Reload->setEnabled(true);
}
