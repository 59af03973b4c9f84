#include "platform/dialogs/StderrMessages.h"

#include <cstdio>

MsgAnswer TStderrMessages::Show(const QString& text, MsgKind, MsgButtons buttons, std::optional<QPoint>) {
  std::fprintf(stderr, "tesserine: %s\n", text.toLocal8Bit().constData());
  return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::No;
}
