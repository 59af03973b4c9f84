// The tray agent on the main window: starting and ending it, the tray icon with its hint,
// its click action and its menu, and the menu's commands.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QMenu>
#include <QRadioButton>
#include <QSystemTrayIcon>
#include <QWindow>

#include "platform/desktop/DesktopWallpaper.h"
#include "platform/dialogs/MessageBoxes.h"
#include "platform/session/DesktopNotification.h"
#include "platform/system/Clock.h"
#include "widgets/ImageListModel.h"
#include "widgets/ProgramIcons.h"
#include "window/Tessel.h"

namespace {

const QString kNoTraySummary = QStringLiteral("Tesserine runs without a tray icon");
const QString kNoTrayNotice = QStringLiteral(
    "This desktop offers no system tray, so the agent has no tray icon. It goes on changing the wallpaper on "
    "schedule; its window stays minimised instead: restore the window to end the agent and change the settings.");
const QString kCaption = QStringLiteral("Tesserine v1.0");

}  // namespace

QSystemTrayIcon* TTesselForm1::TrayIcon() {
  if (RxTrayIcon1) return RxTrayIcon1;
  SysTrayIcon = QIcon(QPixmap::fromImage(DrawTrayIcon(TrayState::Running)));
  SysTrayPaused = QIcon(QPixmap::fromImage(DrawTrayIcon(TrayState::Paused)));
  for (int code = 0; code < DispObjCount; ++code)
    mnuDispTypItems[code]->setIcon(QIcon(QPixmap::fromImage(DrawDispMethodIcon(ToDispObj(code), 16))));
  // The image name reads as normal text although it cannot be chosen.
  QPalette palette = SysTrayPopupMenu1->palette();
  for (QPalette::ColorRole role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText})
    palette.setColor(QPalette::Disabled, role, palette.color(QPalette::Active, role));
  SysTrayPopupMenu1->setPalette(palette);
  mnuImgName->setEnabled(false);

  RxTrayIcon1 = new QSystemTrayIcon(SysTrayIcon, this);
  RxTrayIcon1->setObjectName("RxTrayIcon1");
  // By QSystemTrayIcon::ActivationReason: Unknown, Context, DoubleClick, Trigger, MiddleClick.
  const std::function<void()> reactions[] = {
      [] {},
      [this] { RxTrayIcon1Click(RxTrayIcon1, Qt::RightButton, QCursor::pos()); },
      [this] {
        if (QAction* item = SysTrayPopupMenu1->defaultAction()) item->trigger();
      },
      [this] { RxTrayIcon1Click(RxTrayIcon1, Qt::LeftButton, QCursor::pos()); },
      [this] { RxTrayIcon1Click(RxTrayIcon1, Qt::MiddleButton, QCursor::pos()); },
  };
  connect(RxTrayIcon1, &QSystemTrayIcon::activated, this, [this, reactions](QSystemTrayIcon::ActivationReason reason) {
    if (AgentRun->Commands().Open()) reactions[reason]();
  });
  return RxTrayIcon1;
}

void TTesselForm1::OKClick(QObject* sender) {
  // The first change may show a picture a watched folder holds: the agent starts once every
  // folder has been listed.
  if (AgentRun->Folders().WaitToStart([this, sender] { OKClick(sender); })) return;
  AgentRun->Start();
  Timer1Timer(sender);
}

void TTesselForm1::HideForAgent() {
  QSystemTrayIcon* tray = TrayIcon();
  AgentWithoutTray = !TrayAvailable();
  if (!AgentWithoutTray) {
    hide();
    tray->show();
    return;
  }
  ShowAgentCaption(AgentRun->NoTrayCaption());
  showMinimized();
  WatchMinimisedAgent();
  NoTrayNotice();
}

// An unattended agent must never wait on a box: the user is told through the desktop's
// notifications where a server runs, and in any case by the minimised window's caption.
void TTesselForm1::NoTrayNotice() {
  if (NoTrayNoticeShown) return;
  NoTrayNoticeShown = true;
  Notify(kNoTraySummary, kNoTrayNotice);
}

void TTesselForm1::Notify(const QString& summary, const QString& body) { NotifyDesktop(summary, body); }

// Without a tray the minimised window's caption is what the user sees of the agent.
void TTesselForm1::ShowAgentCaption(const QString& caption) {
  if (!AgentWithoutTray) return;
  setWindowTitle(caption);
}

// Without a tray, restoring the minimised window stands for the menu's Properties.
void TTesselForm1::WatchMinimisedAgent() {
  AgentMinimisedSeen = false;
  QWindow* window = windowHandle();
  if (!window || window->property("tesserineAgentWatch").toBool()) return;
  window->setProperty("tesserineAgentWatch", true);
  connect(window, &QWindow::windowStateChanged, this, [this](Qt::WindowState state) {
    if (!AgentRun->Running() || !AgentWithoutTray || !AgentRun->Commands().Open()) return;
    const bool restored = AgentMinimisedSeen && state != Qt::WindowMinimized;
    AgentMinimisedSeen = AgentMinimisedSeen || state == Qt::WindowMinimized;
    if (restored) Properties1Click(this);
  });
}

void TTesselForm1::Properties1Click(QObject*) {
  AgentRun->Stop();
  TrayIcon()->hide();
  AgentWithoutTray = false;
  setWindowTitle(kCaption);
  showNormal();
  raise();
  activateWindow();
  ItemSelectUpdt();
  ScrollIntoView(List.FirstSelected());
  AgentRun->AnnounceStatus();
}

void TTesselForm1::Pause1Click(QObject*) { AgentRun->TogglePause(); }

void TTesselForm1::ShowPauseState(const char* caption, bool paused) {
  Pause1->setText(QString::fromLatin1(caption));
  TrayIcon()->setIcon(paused ? SysTrayPaused : SysTrayIcon);
}

void TTesselForm1::Next1Click(QObject*) {
  AgentRun->AskedChange([this] { NextBackground(); });
}

void TTesselForm1::Previous1Click(QObject*) {
  AgentRun->AskedChange([this] { PreviousBackground(); });
}

void TTesselForm1::Remove1Click(QObject*) {
  Timer1->stop();
  AgentRun->Run(FailureRoute::Box, [this] { AgentRun->RemoveCurrentEntry(); });
  SetHint();
  AgentRun->ArmTimerNow();
}

void TTesselForm1::mnuDispTypItmClick(QAction* sender) {
  AgentRun->AskedChange([this, sender] {
    if (!SetEntriesMethod(ToDispObj(sender->data().toInt()), MethodScope::Current)) return;
    UpdtBackground();
    SetButtons();
  });
}

void TTesselForm1::RxTrayIcon1Click(QObject* sender, Qt::MouseButton button, QPoint pos) {
  const std::function<void()> commands[] = {
      [] {},
      [this, pos] { ShowTrayMenu(pos); },
      [this, sender] { Properties1Click(sender); },
      [this, sender] { Next1Click(sender); },
      [this, sender] { Remove1Click(sender); },
      [this, sender] { Pause1Click(sender); },
  };
  commands[static_cast<int>(AgentRun->TrayClick(button == Qt::LeftButton))]();
}

void TTesselForm1::ShowTrayMenu(QPoint pos) {
  AgentRun->MenuOpens();
  TrayIcon();
  {
    const auto menuOpen = AgentRun->Commands().Hold();
    SysTrayPopupMenu1->exec(pos);
  }
  AgentRun->MenuClosed(!isVisible() && !Closed);
}

void TTesselForm1::SysTrayClickCBChange(QObject* sender) {
  // By TrayClickAction, from None.
  QAction* const items[] = {nullptr, Properties1, Next1, Remove1, Pause1};
  SysTrayPopupMenu1->setDefaultAction(items[static_cast<int>(Values.ClickAction) + 1]);
  Change(sender);
}

void TTesselForm1::ShowHint(const QString& hint, const QString& tip) {
  mnuImgName->setText(hint);
  TrayIcon()->setToolTip(tip);
}
