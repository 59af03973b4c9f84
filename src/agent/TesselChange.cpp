#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

#include "app/Tessel.h"
#include "config/ConfigValues.h"

void TTesselForm1::Change(QObject*) {
  if (execTypeCB->currentIndex() == static_cast<int>(TriggerMeasure::Executions)) AutoClose->setChecked(true);
  Save->setEnabled(true);
  Reload->setEnabled(true);
}
