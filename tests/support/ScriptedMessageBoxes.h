// Answers message boxes from a queue and records what was asked, so tests can drive
// every question without a person.
#pragma once

#include <deque>
#include <vector>

#include "platform/dialogs/MessageBoxes.h"

class TScriptedMessageBoxes final : public IMessageBoxes {
 public:
  struct Asked {
    QString text;
    MsgKind kind;
    MsgButtons buttons;
    std::optional<QPoint> topLeft;
  };

  void Answer(MsgAnswer answer) { answers_.push_back(answer); }

  MsgAnswer Show(const QString& text, MsgKind kind, MsgButtons buttons, std::optional<QPoint> topLeft) override {
    asked.push_back({text, kind, buttons, topLeft});
    if (answers_.empty()) return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
    const MsgAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
  }

  std::vector<Asked> asked;

 private:
  std::deque<MsgAnswer> answers_;
};
