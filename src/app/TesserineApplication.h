// The application object: every event passes through notify, so an exception that leaves an
// event handler ends there and is shown through the message boxes (the standard error box of
// the window program, the standard error of a run without widgets); the program goes on.
#pragma once

#include <QCoreApplication>
#include <QGuiApplication>

#include "platform/dialogs/MessageBoxes.h"

template <class Base>
class TGuardedApplication final : public Base {
 public:
  TGuardedApplication(int& argc, char** argv, IMessageBoxes& messages) : Base(argc, argv), messages_(messages) {}
  bool notify(QObject* receiver, QEvent* event) override {
    return DeliverGuarded([&] { return Base::notify(receiver, event); }, messages_);
  }

 private:
  IMessageBoxes& messages_;
};

// A run without widgets.
using TTesserineGuiApplication = TGuardedApplication<QGuiApplication>;
// A run without widgets that asks no platform integration for the screen.
using TTesserineCoreApplication = TGuardedApplication<QCoreApplication>;
