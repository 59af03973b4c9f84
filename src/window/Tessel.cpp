#include "window/Tessel.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSplitter>
#include <QSystemTrayIcon>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeView>

#include "config/BigIni.h"
#include "config/ConfigKeys.h"
#include "platform/dialogs/MessageBoxes.h"
#include "platform/session/DesktopNotification.h"
#include "widgets/BusyPointer.h"
#include "widgets/ColorBox.h"
#include "widgets/DesignedControls.h"
#include "widgets/FolderPath.h"
#include "widgets/ImageListModel.h"
#include "widgets/ProgramPicture.h"
#include "window/AboutPage.h"
#include "window/ImgDispFrm.h"

namespace {
const QString kSaveQuestion = QStringLiteral("Do you want to save your configuration changes?");
}

TTesselForm1::TTesselForm1(TFormServices services, QWidget* parent)
    : QWidget(parent),
      Services(std::move(services)),
      BusyCounter(ShowBusyCursor),
      BigIni(std::make_unique<TBigIniFile>(Services.configFileName)),
      AgentRun(std::make_unique<TAgent>(
          TAgentWorld{Services.desktop, Services.screen, Services.screenSaver, Services.clock, Services.random,
                      Services.processes, Services.programFolder, Services.configFileName},
          TAgentParts{Values, List, *BigIni, PictureCache, CompositionCache, BusyCounter, *this})),
      RemoteCommands(*AgentRun, *this) {
  setObjectName("TesselForm1");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setWindowTitle("Tesserine v1.0");
  setProperty(DesignedRectProperty, QRect(0, 0, 528, 388));
  setFixedSize(528, 388);
  Values.AddDialogFolder = PicturesFolder().toStdString();
  Values.ImgMgrDirectory = QDir::homePath().toStdString();
  TrayAvailable = &QSystemTrayIcon::isSystemTrayAvailable;
  NotifyDesktop = &SendDesktopNotification;
  ListModel = new TImageListModel(List, this);
  Timer1 = &AgentRun->Timer();
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(Timer1); });
  BuildFrame();
  BuildAboutPage(AboutPage);
  BuildImagesPage();
  BuildSchedulePage();
  BuildAdvancedPage();
  BuildDesktopPage();
  BuildFoldersPage();
  BuildExplorerPage();
  BuildTrayMenu();
  ApplyDesignedLayout(this);
  // The Explorer's strips place their controls from their own width, which scaling changed.
  IMPanelDirResize();
  IMPanelFilterResize();
  BuildBottomStrip();
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  WatchDisplayChanges();
  ImgDispForm = std::make_unique<TImgDispForm>(Services.screen);
  FormCreate();
}

TTesselForm1::~TTesselForm1() { FormDestroy(); }

void TTesselForm1::FormCreate() {
  FirstShowDone = false;
  Closed = false;
  StartsMinimized = InfoReader().Bool(InfoKey::OpenMinimized);
  AgentRun->SetRunning(StartsMinimized);
  MoveRefused = false;
}

void TTesselForm1::StartWithWindow() {
  StartsMinimized = false;
  AgentRun->SetRunning(false);
}

void TTesselForm1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  FormShow();
}

void TTesselForm1::FormShow() {
  if (!FirstShowDone) FormCreateAndINI();
}

void TTesselForm1::FormCreateAndINI() {
  PageControl1->setCurrentWidget(ImagesPage);
  Special->setCurrentIndex(0);
  AgentRun->BeginRun();
  IniLoad();
  FirstShowDone = true;
}

void TTesselForm1::closeEvent(QCloseEvent* event) {
  // A close while the list is half loaded would offer to save half a list.
  if (AgentRun->Commands().Open() && FormClose())
    event->accept();
  else
    event->ignore();
}

MsgAnswer TTesselForm1::Ask(const QString& text, MsgKind kind, MsgButtons buttons) {
  const auto waiting = AgentRun->Commands().Hold();
  return Services.messages.Show(text, kind, buttons);
}

MsgAnswer TTesselForm1::SaveAnswer(ClosePath path) {
  const CloseSave save = SaveOnClose(path, Unsaved.Unsaved(), AgentRun->Running(), Closed);
  if (save != CloseSave::Ask) return save == CloseSave::Save ? MsgAnswer::Yes : MsgAnswer::No;
  const MsgAnswer answer = Ask(kSaveQuestion, MsgKind::Confirmation, MsgButtons::YesNoCancel);
  // A termination request closes the box without an answer; the close is then left to the
  // exit, which saves silently.
  return Terminating ? MsgAnswer::Cancel : answer;
}

// A Cancel leaves the close unhandled, so a later session end still saves silently.
bool TTesselForm1::FormClose() {
  BigIni->WriteString(InfoSection, InfoKey::ImgMgrDirectory.name, Values.ImgMgrDirectory);
  return CloseBy(ClosePath::Window);
}

void TTesselForm1::CloseClick(QObject* sender) {
  CloseBy(sender == Close1 ? ClosePath::TrayMenuClose : ClosePath::CloseButton);
}

bool TTesselForm1::CloseBy(ClosePath path) {
  const MsgAnswer answer = SaveAnswer(path);
  if (answer == MsgAnswer::Cancel) return false;
  if (answer == MsgAnswer::Yes) SaveClick();
  Closed = true;
  emit TerminateRequested();
  AgentRun->FreePictures();
  return true;
}

void TTesselForm1::SessionEnd() {
  // Half a list is not saved: the exit saves once the load has finished.
  if (!AgentRun->Commands().Open()) return;
  if (SaveAnswer(ClosePath::SessionEnd) == MsgAnswer::Yes) SaveClick();
  Closed = true;
  BigIni->UpdateFile();
}

void TTesselForm1::FormDestroy() {
  if (Destroyed) return;
  Destroyed = true;
  Timer1->stop();
  // Nobody is left to catch an error here, so it is shown before the program ends.
  AgentRun->Run(FailureRoute::Box, [this] {
    if (SaveAnswer(ClosePath::Exit) == MsgAnswer::Yes) SaveClick();
    BigIni->UpdateFile();
  });
}

void TTesselForm1::ListChanged() {
  SyncingView = true;
  ListModel->Refresh();
  ListModel->ShowSelection(*ListView1->selectionModel());
  SyncingView = false;
}

void TTesselForm1::SyncSelectionFromView() {
  // The load selects its entry once the list is whole.
  if (SyncingView || !AgentRun->Commands().Open()) return;
  TImageListModel::TakeSelection(*ListView1->selectionModel(), List);
  ListView1Change();
}

void TTesselForm1::ScrollIntoView(int index) { ListView1->scrollTo(ListModel->index(index, 0)); }

void TTesselForm1::SetFillColor(std::int32_t color) { SelectColor(FillColorComboBox, color); }
