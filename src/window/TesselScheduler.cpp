// The scheduler's tick on the main window: reads the schedule from the controls, lets
// DecideChange and DecideAutoClose decide, and carries out what they say.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QScopeGuard>

#include "agent/Scheduler.h"
#include "config/BigIni.h"
#include "config/ConfigKeys.h"
#include "platform/dialogs/MessageBoxes.h"
#include "platform/screen/ScreenSaverState.h"
#include "platform/system/Clock.h"
#include "window/Tessel.h"

bool TTesselForm1::ScreenSaverRunning() { return Services.screenSaver.ScreenSaverRunning(); }

void TTesselForm1::Timer1Timer(QObject* sender) {
  Timer1->stop();
  const auto ticking = Commands.Hold();
  // Whatever this tick decodes, an agent running unseen does not keep it until the next one.
  const auto release = qScopeGuard([this] { ReleasePictures(); });
  if (Agent.Paused) return;
  TChangeInput input;
  input.screenSaverRunning = ScreenSaverRunning();
  input.execQtyText = execQty->text().toStdString();
  input.entrySelected = ImageList().FirstSelected() >= 0;
  input.measure = TriggerMeasureAt(execTypeCB->currentIndex());
  input.now = Services.clock.Now();
  input.lastChgDateTime = Agent.LastChgDateTime;
  input.execCounted = Agent.ExecCounted;
  input.execSinceChg = Agent.ExecSinceChg;
  const TChangeDecision decision = DecideChange(input);
  Agent.ExecCounted = decision.execCounted;
  Agent.ExecSinceChg = decision.execSinceChg;
  if (decision.writeExecSinceChg) BigIni->WriteInteger(InfoSection, InfoKey::ExecSinceChg.name, Agent.ExecSinceChg);
  // A change that fails is told without a box, and the schedule goes on.
  if (decision.due) RunUnattended([this] { NextBackground(); });

  std::int32_t interval = decision.interval;
  if (AutoClose->isChecked()) {
    const TAutoCloseDecision autoClose =
        DecideAutoClose(interval, AutoCloseMin->text().toStdString(), AgentStartTime, Services.clock.Now());
    if (autoClose.closeNow) {
      CloseClick(sender);
      if (CloseHandled) return;
    }
    interval = autoClose.interval;
  }
  // The intervals count single milliseconds near the due second, so the timer keeps them.
  Timer1->setTimerType(Qt::PreciseTimer);
  Timer1->setInterval(interval);
  if (interval >= 1) Timer1->start();
}

void TTesselForm1::ArmTimerNow() {
  Timer1->setInterval(1);
  Timer1->start();
}

void TTesselForm1::RunReportingErrors(const std::function<void()>& step) {
  try {
    step();
  } catch (const std::exception& error) {
    Ask(QString::fromStdString(error.what()), MsgKind::Error, MsgButtons::Ok);
  }
}
