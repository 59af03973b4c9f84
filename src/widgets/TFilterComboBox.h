// The filter box: descriptions of file types, each with the mask it stands for.
#pragma once

#include <QComboBox>

class TFilterComboBox : public QComboBox {
  Q_OBJECT

 public:
  using QComboBox::QComboBox;

  void AddFilter(const QString& description, const QString& mask) { addItem(description, mask); }
  // The mask of the chosen item; empty when nothing is chosen.
  QString Mask() const { return currentData().toString(); }
};
