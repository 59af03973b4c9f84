#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

#include "config/ConfigValues.h"
#include "window/Tessel.h"

void TTesselForm1::Change(QObject*) {
  if (execTypeCB->currentIndex() == static_cast<int>(TriggerMeasure::Executions)) AutoClose->setChecked(true);
  Save->setEnabled(true);
  Reload->setEnabled(true);
}
