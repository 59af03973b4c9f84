#include "app/TesserineApplication.h"

#include <exception>

#include "platform/MessageBoxes.h"

bool DeliverGuarded(const std::function<bool()>& deliver, IMessageBoxes& messages) {
  try {
    return deliver();
  } catch (const std::exception& error) {
    messages.Show(QString::fromLocal8Bit(error.what()), MsgKind::Error, MsgButtons::Ok);
  }
  return false;
}

TTesserineApplication::TTesserineApplication(int& argc, char** argv, IMessageBoxes& messages)
    : QApplication(argc, argv), messages_(messages) {}

bool TTesserineApplication::notify(QObject* receiver, QEvent* event) {
  return DeliverGuarded([&] { return QApplication::notify(receiver, event); }, messages_);
}
