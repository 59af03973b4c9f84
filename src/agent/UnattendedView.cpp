#include "agent/UnattendedView.h"

#include <cstdio>
#include <stdexcept>

#include "platform/session/RemoteControl.h"

namespace {

[[noreturn]] void RefuseWindow() {
  throw TRemoteRefusal(TRemoteRefusal::Reason::Failed, "This command needs the running program");
}

}  // namespace

void TUnattendedView::ApplyCurrent() { throw std::logic_error("a run without a window starts no agent"); }

void TUnattendedView::ShowWindow() { RefuseWindow(); }

void TUnattendedView::OpenPictures(const std::vector<std::string>&) { RefuseWindow(); }

void TUnattendedView::Notify(const QString& summary, const QString& body) {
  std::fprintf(stderr, "tesserine: %s: %s\n", summary.toLocal8Bit().constData(), body.toLocal8Bit().constData());
}
