#include "widgets/BusyPointer.h"

#include <QApplication>

void ShowBusyCursor(bool busy) {
  if (busy)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}
