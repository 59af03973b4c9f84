#include "widgets/QtMessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

namespace {

QMessageBox::StandardButtons ToQt(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgButtons::Ok:
      break;
  }
  return QMessageBox::Ok;
}

QMessageBox::Icon ToQt(MsgKind kind) {
  switch (kind) {
    case MsgKind::Confirmation:
      return QMessageBox::Question;
    case MsgKind::Error:
      return QMessageBox::Critical;
    case MsgKind::Information:
      break;
  }
  return QMessageBox::Information;
}

}  // namespace

MsgAnswer TQtMessageBoxes::Show(const QString& text, MsgKind kind, MsgButtons buttons, std::optional<QPoint> topLeft) {
  QMessageBox box(ToQt(kind), QApplication::applicationName(), text, ToQt(buttons));
  if (topLeft) {
    box.adjustSize();
    box.move(*topLeft);
  }
  switch (box.exec()) {
    case QMessageBox::Yes:
      return MsgAnswer::Yes;
    case QMessageBox::No:
      return MsgAnswer::No;
    case QMessageBox::Cancel:
      return MsgAnswer::Cancel;
    default:
      return MsgAnswer::Ok;
  }
}
