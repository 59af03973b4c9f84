// The application object: every event passes through notify, so an exception that leaves an
// event handler ends there and is shown as the standard error box; the program goes on.
#pragma once

#include <QApplication>
#include <functional>

class IMessageBoxes;

// Runs deliver; an exception leaving it is shown through messages with its text. Returns
// deliver's result, or false after an exception.
bool DeliverGuarded(const std::function<bool()>& deliver, IMessageBoxes& messages);

class TTesserineApplication final : public QApplication {
 public:
  TTesserineApplication(int& argc, char** argv, IMessageBoxes& messages);
  bool notify(QObject* receiver, QEvent* event) override;

 private:
  IMessageBoxes& messages_;
};
