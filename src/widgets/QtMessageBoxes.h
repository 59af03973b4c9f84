// The program's message boxes as real modal Qt boxes.
#pragma once

#include "platform/dialogs/MessageBoxes.h"

class TQtMessageBoxes final : public IMessageBoxes {
 public:
  MsgAnswer Show(const QString& text, MsgKind kind, MsgButtons buttons, std::optional<QPoint> topLeft) override;
};
