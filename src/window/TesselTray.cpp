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
#include "platform/system/PathParts.h"
#include "wallpaper/WallpaperApply.h"
#include "widgets/ProgramIcons.h"
#include "window/ImageListModel.h"
#include "window/Tessel.h"

namespace {

const QString kNoTraySummary = QStringLiteral("Tesserine runs without a tray icon");
const QString kNoTrayNotice = QStringLiteral(
    "This desktop offers no system tray, so the agent has no tray icon. It goes on changing the wallpaper on "
    "schedule; its window stays minimised instead: restore the window to end the agent and change the settings.");
// The minimised window's caption while the agent runs without a tray.
const QString kNoTrayCaption = QStringLiteral("Tesserine agent (no system tray: restore to change the settings)");
const QString kCaption = QStringLiteral("Tesserine v1.0");
const QString kChangeFailedSummary = QStringLiteral("Tesserine could not change the wallpaper");

// The tray tip: the hint up to its first "|", at most 63 characters.
QString TrayTip(const QString& hint) {
  QString tip = hint.section(QLatin1Char('|'), 0, 0);
  if (tip.size() > 63) tip.truncate(tip.at(62).isHighSurrogate() ? 62 : 63);
  return tip;
}

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
  const auto starting = Commands.Hold();
  TImageList& list = ImageList();
  if (CurrentFileName() != Agent.LastImageNm) {
    const int last = list.Find(Agent.LastImageNm);
    if (last >= 0) SelectEntry(last);
  } else if (list.FirstSelected() >= 0 && DispObjToStr(CurrentDispObj()) != Agent.LastDispStr) {
    // The agent starts whether or not this change succeeds.
    RunUnattended([this, sender] { ApplyClick(sender); });
  }
  AgentStartTime = Services.clock.Now();
  if (Agent.Order == DisplayOrder::RandomCycle) {
    CycleRemaining = 0;
    for (int i = 0; i < list.Count(); ++i)
      if (list.At(i).mark == 0) ++CycleRemaining;
  }
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
  setWindowTitle(Agent.ChangeFailure.empty() ? kNoTrayCaption
                                             : "Tesserine agent: " + QString::fromStdString(Agent.ChangeFailure));
}

std::string TTesselForm1::RunUnattended(const std::function<void()>& change) {
  try {
    change();
    return {};
  } catch (const std::exception& error) {
    const bool firstFailure = Agent.ChangeFailure.empty();
    Agent.ChangeFailure = error.what();
    ShowAgentCaption();
    SetHint();
    if (firstFailure) Notify(kChangeFailedSummary, QString::fromStdString(Agent.ChangeFailure));
  }
  return Agent.ChangeFailure;
}

void TTesselForm1::ChangeSucceeded() {
  if (Agent.ChangeFailure.empty()) return;
  Agent.ChangeFailure.clear();
  ShowAgentCaption();
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
  if (button != Qt::LeftButton) {
    ShowTrayMenu(pos);
    return;
  }
  switch (Agent.ClickAction) {
    case TrayClickAction::OpenProperties:
      Properties1Click(sender);
      break;
    case TrayClickAction::NextImage:
      Next1Click(sender);
      break;
    case TrayClickAction::RemoveImage:
      Remove1Click(sender);
      break;
    case TrayClickAction::PauseResume:
      Pause1Click(sender);
      break;
    case TrayClickAction::None:
      break;
  }
}

void TTesselForm1::ShowTrayMenu(QPoint pos) {
  Timer1->stop();
  SetHint();
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
  std::string name = Agent.LastImageNm;
  std::string kind = Agent.LastDispStr;
  // Ours: the entry itself or any monitor's converted bitmap.
  if (!IsMonitorConvertFileName(Services.programFolder, wallpaper) && wallpaper != Agent.LastImageNm) {
    name = wallpaper;
    kind = Services.desktop.GetValue("TileWallpaper").value_or("") == "1" ? "TILED" : "CENTERED";
  }
  const QString text = QString::fromStdString(FileNamePart(name) + " (" + kind + ")");
  mnuImgName->setText(text);
  TrayIcon()->setToolTip(Agent.ChangeFailure.empty() ? TrayTip(text) : QString::fromStdString(Agent.ChangeFailure));
}
