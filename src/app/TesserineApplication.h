// The application object: every event passes through notify, so an exception that leaves an
// event handler ends there and is shown as the standard error box; the program goes on.
#pragma once

#include <QApplication>

class IMessageBoxes;

class TTesserineApplication final : public QApplication {
 public:
  TTesserineApplication(int& argc, char** argv, IMessageBoxes& messages);
  bool notify(QObject* receiver, QEvent* event) override;

 private:
  IMessageBoxes& messages_;
};
