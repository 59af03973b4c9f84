// The message boxes of a run nobody watches (one command of the command line): each text goes
// to the standard error, and a question is declined, since nobody is there to answer it.
#pragma once

#include "platform/dialogs/MessageBoxes.h"

class TStderrMessages final : public IMessageBoxes {
 public:
  // Ok for a message with only OK, else No.
  MsgAnswer Show(const QString& text, MsgKind kind, MsgButtons buttons,
                 std::optional<QPoint> topLeft = std::nullopt) override;
};
