#include "app/TesserineApplication.h"

#include "platform/dialogs/MessageBoxes.h"

TTesserineApplication::TTesserineApplication(int& argc, char** argv, IMessageBoxes& messages)
    : QApplication(argc, argv), messages_(messages) {}

bool TTesserineApplication::notify(QObject* receiver, QEvent* event) {
  return DeliverGuarded([&] { return QApplication::notify(receiver, event); }, messages_);
}
