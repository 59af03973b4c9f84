// An up-down control bound to a number field: its buttons read the field's text, step the
// position within its range (no wrap) and write the new position back as the field's text.
// The field's text and the position are separate values, as the configuration keeps both.
#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

class TUpDown final : public QWidget {
  Q_OBJECT

 public:
  TUpDown(QLineEdit* buddy, int minimum, int maximum, QWidget* parent);

  int Position() const { return position_; }
  // Clamped to the range.
  void SetPosition(int position);
  int Minimum() const { return minimum_; }
  int Maximum() const { return maximum_; }
  // One press of the up (+1) or down (-1) button.
  void Step(int delta);

 private:
  QLineEdit* buddy_;
  QToolButton* up_;
  QToolButton* down_;
  int minimum_;
  int maximum_;
  int position_;
};
