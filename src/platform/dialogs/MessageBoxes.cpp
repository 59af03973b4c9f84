#include "platform/dialogs/MessageBoxes.h"

#include <exception>

bool DeliverGuarded(const std::function<bool()>& deliver, IMessageBoxes& messages) {
  try {
    return deliver();
  } catch (const std::exception& error) {
    messages.Show(QString::fromLocal8Bit(error.what()), MsgKind::Error, MsgButtons::Ok);
  }
  return false;
}
