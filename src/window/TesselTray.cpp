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
#include "widgets/ProgramIcons.h"
#include "window/ImageListModel.h"
#include "window/Tessel.h"

namespace {

const QString kNoTraySummary = QStringLiteral("Tesserine runs without a tray icon");
const QString kNoTrayNotice = QStringLiteral(
    "This desktop offers no system tray, so the agent has no tray icon. It goes on changing the wallpaper on "
    "schedule; its window stays minimised instead: restore the window to end the agent and change the settings.");
const QString kCaption = QStringLiteral("Tesserine v1.0");
const QString kChangeFailedSummary = QStringLiteral("Tesserine could not change the wallpaper");

}  // namespace

QSystemTrayIcon* TTesselForm1::TrayIcon() {
  if (RxTrayIcon1) return RxTrayIcon1;
  if (!TrayAvailable) TrayAvailable = &QSystemTrayIcon::isSystemTrayAvailable;
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
  connect(RxTrayIcon1, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
    if (!Commands.Open()) return;
    switch (reason) {
      case QSystemTrayIcon::Trigger:
        RxTrayIcon1Click(RxTrayIcon1, Qt::LeftButton, QCursor::pos());
        break;
      case QSystemTrayIcon::Context:
        RxTrayIcon1Click(RxTrayIcon1, Qt::RightButton, QCursor::pos());
        break;
      case QSystemTrayIcon::MiddleClick:
        RxTrayIcon1Click(RxTrayIcon1, Qt::MiddleButton, QCursor::pos());
        break;
      case QSystemTrayIcon::DoubleClick:
        if (QAction* item = SysTrayPopupMenu1->defaultAction()) item->trigger();
        break;
      case QSystemTrayIcon::Unknown:
        break;
    }
  });
  return RxTrayIcon1;
}

void TTesselForm1::OKClick(QObject* sender) {
  // The first change may show a picture a watched folder holds: the agent starts once every
  // folder has been listed (FolderListed starts it).
  if (FoldersReading()) {
    AgentStartWaiting = sender;
    return;
  }
  const auto starting = Commands.Hold();
  const TAgentStart start = Session.Start(ImageList(), DispObjToStr(CurrentDispObj()));
  if (start.step == TAgentStart::Step::SelectLast)
    SelectEntry(start.index);
  else if (start.step == TAgentStart::Step::ApplyCurrent)
    // The agent starts whether or not this change succeeds.
    RunUnattended([this, sender] { ApplyClick(sender); });
  AgentStartTime = Services.clock.Now();
  if (Agent.Order == DisplayOrder::RandomCycle) CycleRemaining = TAgentSession::CycleRemainingAtStart(ImageList());
  HideForAgent();
  Agent.Paused = false;
  ShowPauseState();
  AgentRunning = true;
  SetHint();
  AnnounceStatus();
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
  ShowAgentCaption();
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

void TTesselForm1::Notify(const QString& summary, const QString& body) {
  if (!NotifyDesktop) NotifyDesktop = &SendDesktopNotification;
  NotifyDesktop(summary, body);
}

// Without a tray the minimised window's caption is what the user sees of the agent.
void TTesselForm1::ShowAgentCaption() {
  if (!AgentWithoutTray) return;
  setWindowTitle(Session.NoTrayCaption());
}

std::string TTesselForm1::RunUnattended(const std::function<void()>& change) {
  try {
    change();
    return {};
  } catch (const std::exception& error) {
    const bool firstFailure = Session.ChangeFailed(error.what());
    ShowAgentCaption();
    SetHint();
    if (firstFailure) Notify(kChangeFailedSummary, QString::fromStdString(Agent.ChangeFailure));
  }
  return Agent.ChangeFailure;
}

void TTesselForm1::ChangeSucceeded() {
  if (Session.ChangeSucceeded()) ShowAgentCaption();
}

// Without a tray, restoring the minimised window stands for the menu's Properties.
void TTesselForm1::WatchMinimisedAgent() {
  AgentMinimisedSeen = false;
  QWindow* window = windowHandle();
  if (!window || window->property("tesserineAgentWatch").toBool()) return;
  window->setProperty("tesserineAgentWatch", true);
  connect(window, &QWindow::windowStateChanged, this, [this](Qt::WindowState state) {
    if (!AgentRunning || !AgentWithoutTray || !Commands.Open()) return;
    if (state == Qt::WindowMinimized)
      AgentMinimisedSeen = true;
    else if (AgentMinimisedSeen)
      Properties1Click(this);
  });
}

void TTesselForm1::Properties1Click(QObject*) {
  AgentRunning = false;
  Timer1->stop();
  TrayIcon()->hide();
  AgentWithoutTray = false;
  setWindowTitle(kCaption);
  showNormal();
  raise();
  activateWindow();
  ItemSelectUpdt();
  ScrollIntoView(ImageList().FirstSelected());
  AnnounceStatus();
}

void TTesselForm1::Pause1Click(QObject*) {
  Agent.Paused = !Agent.Paused;
  if (Agent.Paused)
    Timer1->stop();
  else
    ArmTimerNow();
  ShowPauseState();
}

void TTesselForm1::ShowPauseState() {
  Pause1->setText(QString::fromLatin1(Agent.PauseCaption()));
  TrayIcon()->setIcon(Agent.Paused ? SysTrayPaused : SysTrayIcon);
  AnnounceStatus();
}

void TTesselForm1::Next1Click(QObject*) {
  RunReportingErrors([this] { NextBackground(); });
  ArmTimerNow();
}

void TTesselForm1::Previous1Click(QObject*) {
  RunReportingErrors([this] { PreviousBackground(); });
  ArmTimerNow();
}

void TTesselForm1::Remove1Click(QObject*) {
  Timer1->stop();
  RunReportingErrors([this] { RemoveCurrentEntry(); });
  SetHint();
  ArmTimerNow();
}

bool TTesselForm1::RemoveCurrentEntry() {
  const int current = ImageList().FirstSelected();
  if (current < 0) return false;
  if (ConfirmRemove->isChecked()) {
    const QString question = QStringLiteral("Are you sure you want to remove %1 from the background images list?")
                                 .arg(QString::fromStdString(ImageList().At(current).fileName));
    if (Ask(question, MsgKind::Confirmation, MsgButtons::YesNo) != MsgAnswer::Yes) return false;
  }
  RemoveClick();
  NextBackground();
  return true;
}

void TTesselForm1::mnuDispTypItmClick(QAction* sender) {
  RunReportingErrors([this, sender] {
    TImageList& list = ImageList();
    const int current = list.FirstSelected();
    if (current < 0) return;
    list.SetDisp(current, ToDispObj(sender->data().toInt()));
    ListModel->EntriesChanged();
    SetButtons();
    Change(sender);
    ItemSelectUpdt();
    UpdtBackground();
    SetButtons();
  });
  ArmTimerNow();
}

void TTesselForm1::RxTrayIcon1Click(QObject* sender, Qt::MouseButton button, QPoint pos) {
  switch (Session.TrayClick(button == Qt::LeftButton)) {
    case TrayCommand::Menu:
      ShowTrayMenu(pos);
      break;
    case TrayCommand::Properties:
      Properties1Click(sender);
      break;
    case TrayCommand::NextImage:
      Next1Click(sender);
      break;
    case TrayCommand::RemoveImage:
      Remove1Click(sender);
      break;
    case TrayCommand::PauseResume:
      Pause1Click(sender);
      break;
    case TrayCommand::None:
      break;
  }
}

void TTesselForm1::ShowTrayMenu(QPoint pos) {
  Timer1->stop();
  SetHint();
  SetPreviousEnabled();
  TrayIcon();
  {
    const auto menuOpen = Commands.Hold();
    SysTrayPopupMenu1->exec(pos);
  }
  if (!isVisible() && !Agent.Paused && !CloseHandled) ArmTimerNow();
}

void TTesselForm1::SysTrayClickCBChange(QObject* sender) {
  QAction* items[] = {Properties1, Next1, Remove1, Pause1};
  const int index = static_cast<int>(Agent.ClickAction);
  SysTrayPopupMenu1->setDefaultAction(index >= 0 ? items[index] : nullptr);
  Change(sender);
}

void TTesselForm1::SetHint() {
  const std::string wallpaper = Services.desktop.GetValue("Wallpaper").value_or("*ERROR*");
  const std::string tiled = Services.desktop.GetValue("TileWallpaper").value_or("");
  const QString text = QString::fromStdString(Session.TrayHint(wallpaper, tiled, Services.programFolder));
  mnuImgName->setText(text);
  TrayIcon()->setToolTip(Session.TrayTip(text));
}
