// A test seam of the executable: with TESSERINE_MESSAGE_LOG set to a file name, message boxes
// are not shown but appended to that file, one line each ("kind<TAB>x,y<TAB>text", the
// position empty when none was asked for), and answered from TESSERINE_TEST_ANSWERS, a
// comma-separated list of Yes, No, Cancel and Ok taken in order (Wait: the box stays open
// until the application ends its loops); once it runs out, a box with only OK answers Ok
// and any other answers No.
#pragma once

#include <QStringList>
#include <memory>

#include "platform/dialogs/MessageBoxes.h"

class TLoggedMessageBoxes final : public IMessageBoxes {
 public:
  TLoggedMessageBoxes(QString logFile, QStringList answers);
  MsgAnswer Show(const QString& text, MsgKind kind, MsgButtons buttons, std::optional<QPoint> topLeft) override;

 private:
  QString logFile_;
  QStringList answers_;
};

// The logged boxes when TESSERINE_MESSAGE_LOG is set, the real ones otherwise.
std::unique_ptr<IMessageBoxes> CreateMessageBoxes();
