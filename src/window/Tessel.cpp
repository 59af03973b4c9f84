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
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeView>

#include "config/BigIni.h"
#include "config/ConfigKeys.h"
#include "platform/dialogs/MessageBoxes.h"
#include "platform/system/Clock.h"
#include "platform/system/FreedMemory.h"
#include "widgets/DesignedControls.h"
#include "widgets/ProgramPicture.h"
#include "window/AboutPage.h"
#include "window/ImageListModel.h"
#include "window/ImgDispFrm.h"

namespace {
const QString kSaveQuestion = QStringLiteral("Do you want to save your configuration changes?");
}

TTesselForm1::TTesselForm1(TFormServices services, QWidget* parent)
    : QWidget(parent),
      Busy([](bool busy) {
        if (busy)
          QApplication::setOverrideCursor(Qt::WaitCursor);
        else
          QApplication::restoreOverrideCursor();
      }),
      Services(std::move(services)) {
  setObjectName("TesselForm1");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setWindowTitle("Tesserine v1.0");
  setProperty(DesignedRectProperty, QRect(0, 0, 528, 388));
  setFixedSize(528, 388);
  const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
  AddInitialDir = (QDir(pictures).exists() ? pictures : QDir::homePath()).toStdString();
  ListModel = new TImageListModel(this);
  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(Timer1); });
  BuildFrame();
  BuildAboutPage(AboutPage);
  BuildImagesPage();
  BuildSchedulePage();
  BuildAdvancedPage();
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
  CloseHandled = false;
  if (!BigIni) BigIni = std::make_unique<TBigIniFile>(Services.configFileName);
  HistoryFileName = TChangeHistory::FileNameFor(Services.configFileName);
  History.LoadFrom(HistoryFileName);
  StartMinimized = InfoReader().Bool(InfoKey::OpenMinimized);
  AgentRunning = StartMinimized;
  MoveRefused = false;
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
  AgentStartTime = Services.clock.Now();
  IniLoad();
  FirstShowDone = true;
  Agent.ExecCounted = false;
  ConvertFileName = Services.programFolder + "Tesserina Convert.BMP";
}

void TTesselForm1::closeEvent(QCloseEvent* event) {
  // A close while the list is half loaded would offer to save half a list.
  if (Commands.Open() && FormClose())
    event->accept();
  else
    event->ignore();
}

MsgAnswer TTesselForm1::Ask(const QString& text, MsgKind kind, MsgButtons buttons) {
  const auto waiting = Commands.Hold();
  return Services.messages.Show(text, kind, buttons);
}

MsgAnswer TTesselForm1::SaveAnswer(ClosePath path) {
  switch (SaveOnClose(path, Unsaved.Unsaved(), AgentRunning, CloseHandled)) {
    case CloseSave::Skip:
      return MsgAnswer::No;
    case CloseSave::Save:
      return MsgAnswer::Yes;
    case CloseSave::Ask:
      break;
  }
  const MsgAnswer answer = Ask(kSaveQuestion, MsgKind::Confirmation, MsgButtons::YesNoCancel);
  // A termination request closes the box without an answer; the close is then left to the
  // exit, which saves silently.
  return Terminating ? MsgAnswer::Cancel : answer;
}

// A Cancel leaves CloseHandled as it was, so a later session end still saves silently.
bool TTesselForm1::FormClose() {
  BigIni->WriteString(InfoSection, InfoKey::ImgMgrDirectory.name, ImgMgrDirectory());
  const MsgAnswer answer = SaveAnswer(ClosePath::Window);
  if (answer == MsgAnswer::Cancel) return false;
  if (answer == MsgAnswer::Yes) SaveClick();
  CloseHandled = true;
  emit TerminateRequested();
  FreePictures();
  return true;
}

void TTesselForm1::CloseClick(QObject* sender) {
  const MsgAnswer answer = SaveAnswer(sender == Close1 ? ClosePath::TrayMenuClose : ClosePath::CloseButton);
  if (answer == MsgAnswer::Cancel) return;
  if (answer == MsgAnswer::Yes) SaveClick();
  CloseHandled = true;
  emit TerminateRequested();
  FreePictures();
}

void TTesselForm1::SessionEnd() {
  // Half a list is not saved: the exit saves once the load has finished.
  if (!BigIni || !Commands.Open()) return;
  if (SaveAnswer(ClosePath::SessionEnd) == MsgAnswer::Yes) SaveClick();
  CloseHandled = true;
  BigIni->UpdateFile();
}

void TTesselForm1::FormDestroy() {
  if (Destroyed) return;
  Destroyed = true;
  Timer1->stop();
  // Nobody is left to catch an error here, so it is shown before the program ends.
  try {
    if (BigIni && SaveAnswer(ClosePath::Exit) == MsgAnswer::Yes) SaveClick();
    if (BigIni) BigIni->UpdateFile();
  } catch (const std::exception& error) {
    Ask(QString::fromStdString(error.what()), MsgKind::Error, MsgButtons::Ok);
  }
  BigIni.reset();
}

void TTesselForm1::FreePictures() {
  Pictures.Clear();
  CompositionCache.Clear();
}

// An agent running unseen shows no preview, so between two changes it keeps neither the
// decoded picture nor its composition: a large photo would otherwise stay in memory for the
// whole period. The entry's name stays, and its next use decodes the file again. After a
// change, what the change freed goes back to the system as well.
void TTesselForm1::ReleasePictures() {
  if (!AgentRunning) return;
  Pictures.Release();
  CompositionCache.Clear();
  if (!ChangedSinceTrim) return;
  ChangedSinceTrim = false;
  ReturnFreedMemory();
}

TImageList& TTesselForm1::ImageList() { return ListModel->List(); }
const TImageList& TTesselForm1::ImageList() const { return ListModel->List(); }

void TTesselForm1::ListChanged() {
  SyncingView = true;
  ListModel->Refresh();
  QItemSelectionModel* selection = ListView1->selectionModel();
  selection->select(ListModel->SelectionRanges(), QItemSelectionModel::ClearAndSelect);
  const int focused = ImageList().Focused();
  if (focused >= 0 && focused < ImageList().Count())
    selection->setCurrentIndex(ListModel->index(focused, 0), QItemSelectionModel::NoUpdate);
  SyncingView = false;
}

void TTesselForm1::SyncSelectionFromView() {
  // The load selects its entry once the list is whole.
  if (SyncingView || !Commands.Open()) return;
  TImageList& list = ImageList();
  const QItemSelectionModel* selection = ListView1->selectionModel();
  list.ClearSelection();
  for (const QItemSelectionRange& range : selection->selection())
    for (int row = range.top(); row <= range.bottom(); ++row)
      if (row < list.Count()) list.SetSelected(row, true);
  list.SetFocused(selection->currentIndex().isValid() ? selection->currentIndex().row() : -1);
  ListView1Change();
}

void TTesselForm1::ScrollIntoView(int index) {
  if (index >= 0 && index < ImageList().Count()) ListView1->scrollTo(ListModel->index(index, 0));
}

DispControls TTesselForm1::DispControlsState() const {
  DispControls controls;
  if (dispTile->isChecked())
    controls.radio = DispRadio::Tile;
  else if (dispCenter->isChecked())
    controls.radio = DispRadio::Center;
  else if (dispSpecial->isChecked())
    controls.radio = DispRadio::Special;
  controls.stretch = Stretch->isChecked();
  controls.specialIndex = Special->currentIndex();
  return controls;
}

std::string TTesselForm1::DispObjToStr(DispObj code) const {
  return ::DispObjToStr(code, DispControlsState(), DefDispStr());
}

std::string TTesselForm1::DefDispStr() const { return std::string(::DefDispStr(DefDispCB->currentIndex())); }

DispObj TTesselForm1::DefDispObj() const { return ::DefDispObj(DefDispCB->currentIndex()); }

std::int32_t TTesselForm1::FillColor() const { return FillColorComboBox->currentData().toInt(); }

void TTesselForm1::SetFillColor(std::int32_t color) {
  int index = FillColorComboBox->findData(color);
  if (index < 0) {
    // A colour outside the standard sixteen is kept so that saving writes it back unchanged.
    FillColorComboBox->addItem(QString("$%1").arg(static_cast<quint32>(color), 8, 16, QChar('0')).toUpper(), color);
    index = FillColorComboBox->count() - 1;
  }
  FillColorComboBox->setCurrentIndex(index);
}
