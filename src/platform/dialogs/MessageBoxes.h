// Every message box of the program goes through this interface, so tests answer them
// instead of a person. The Qt implementation (widgets/QtMessageBoxes.h) shows real modal boxes.
#pragma once

#include <QPoint>
#include <QString>
#include <functional>
#include <optional>

enum class MsgKind { Information, Confirmation, Error };
enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Yes, No, Cancel };

class IMessageBoxes {
 public:
  virtual ~IMessageBoxes() = default;
  // Shows text and waits for an answer; topLeft places the box's top-left corner.
  virtual MsgAnswer Show(const QString& text, MsgKind kind, MsgButtons buttons,
                         std::optional<QPoint> topLeft = std::nullopt) = 0;
};

// Runs deliver; an exception leaving it is shown through messages with its text as the
// standard error box. Returns deliver's result, or false after an exception.
bool DeliverGuarded(const std::function<bool()>& deliver, IMessageBoxes& messages);
