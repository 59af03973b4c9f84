// Creation of the window's controls at their designed places, with their objectNames.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QString>
#include <QWidget>

template <class T, class... Args>
T* MakeControl(QWidget* parent, const char* name, int left, int top, int width, int height, Args&&... args) {
  T* control = new T(std::forward<Args>(args)..., parent);
  control->setObjectName(name);
  if (width > 0 && height > 0) {
    control->setGeometry(left, top, width, height);
  } else {
    control->adjustSize();
    control->move(left, top);
    if (width > 0) control->resize(width, control->height());
  }
  return control;
}

inline QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, int left, int top,
                         bool bold = false) {
  QLabel* label = MakeControl<QLabel>(parent, name, left, top, 0, 0, caption);
  if (bold) {
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
  }
  return label;
}

// A number field that takes up to `digits` digits when typed; programs may set any text.
inline QLineEdit* MakeNumberField(QWidget* parent, const char* name, const QString& text, int left, int top,
                                  int digits) {
  QLineEdit* field = MakeControl<QLineEdit>(parent, name, left, top, 25, 21, text);
  field->setValidator(new QRegularExpressionValidator(QRegularExpression(QString("\\d{0,%1}").arg(digits)), field));
  return field;
}
