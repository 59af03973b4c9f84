// Creation of the window's controls at their designed places, with their objectNames. The
// designed place is recorded for ApplyDesignedLayout, which scales it to the real font.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QString>
#include <QWidget>

#include "widgets/DesignedLayout.h"

template <class T, class... Args>
T* MakeControl(QWidget* parent, const char* name, int left, int top, int width, int height, Args&&... args) {
  T* control = new T(std::forward<Args>(args)..., parent);
  control->setObjectName(name);
  control->setProperty(DesignedRectProperty, QRect(left, top, width, height));
  if (width > 0 && height > 0) {
    control->setGeometry(left, top, width, height);
  } else {
    control->adjustSize();
    control->move(left, top);
    if (width > 0) control->resize(width, control->height());
  }
  return control;
}

// width 0: as wide as the caption; labels whose text changes later need a designed width.
inline QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, int left, int top,
                         bool bold = false, int width = 0) {
  QLabel* label = MakeControl<QLabel>(parent, name, left, top, width, 0, caption);
  if (bold) {
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    // Measured again: the bold caption is wider than the one MakeControl sized.
    label->resize(width > 0 ? width : label->sizeHint().width(), label->sizeHint().height());
  }
  return label;
}

// A number field that takes up to `digits` digits when typed; programs may set any text.
inline QLineEdit* MakeNumberField(QWidget* parent, const char* name, const QString& text, int left, int top,
                                  int digits) {
  QLineEdit* field = MakeControl<QLineEdit>(parent, name, left, top, 25, 21, text);
  field->setValidator(new QRegularExpressionValidator(QRegularExpression(QString("\\d{0,%1}").arg(digits)), field));
  field->setProperty("maxDigits", digits);
  return field;
}
