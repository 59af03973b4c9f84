// TTesselForm1: the properties window and the owner of every long-lived object of the run.
//
// Data flow: FormCreate opens the configuration (TBigIniFile); the first show loads it into
// the controls and the image list (IniLoad); the controls are the live settings, edited by
// the user and by the agent; SaveClick writes them back, the close paths offer to. The form
// wires controls to the plain classes below the window, which decide: the list's edits, load
// and save and the Images page's enabled controls (imagelist/), the unsaved state and the
// close rules (config/), the agent's session, its schedule, order and monitors' plan
// (agent/), the methods, compositions and the apply (wallpaper/). Each method reads its
// controls, calls them and writes the result back.
//
// The rule of this folder: a page, or the frame around the pages, is built in <Page>Page.cpp
// (Frame.cpp); its behaviour is in Tessel<Concern>.cpp (TesselConfig.cpp, TesselTray.cpp,
// TesselImagesPage.cpp, ...). The outside world comes in through TFormServices.
#pragma once

#include <QIcon>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "agent/AgentSession.h"
#include "agent/AgentState.h"
#include "agent/ChangeHistory.h"
#include "agent/CommandGate.h"
#include "config/ConfigValues.h"
#include "config/SettingsIo.h"
#include "config/UnsavedChanges.h"
#include "explorer/PreviewDecode.h"
#include "imagelist/FolderSync.h"
#include "imagelist/ImageList.h"
#include "imagelist/ListEdits.h"
#include "imagelist/ListFile.h"
#include "imagelist/WatchedFolders.h"
#include "picture/PictureCache.h"
#include "platform/dialogs/MessageBoxes.h"
#include "platform/screen/ScreenMetrics.h"
#include "platform/session/RemoteControl.h"
#include "platform/system/FolderWatch.h"
#include "wallpaper/BusyCursor.h"
#include "wallpaper/CompositionCache.h"
#include "wallpaper/DispMethods.h"
#include "wallpaper/PictureJobs.h"
#include "window/FormServices.h"

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPainter;
class QPushButton;
class QRadioButton;
class QSplitter;
class QSystemTrayIcon;
class QTabWidget;
class QTreeView;
class QTreeWidget;
class QToolButton;
class TBigIniFile;
class TDirectoryComboDlg;
class TFileListViewDlg;
class TFilterComboBox;
class TGIFImageView;
class TImageListModel;
class TImgDispForm;
class TPaintBox;
class TUpDown;

class TTesselForm1 : public QWidget, public IRemoteControl {
  Q_OBJECT

 public:
  explicit TTesselForm1(TFormServices services, QWidget* parent = nullptr);
  ~TTesselForm1() override;

  // Program start-up and shutdown.
  void FormCreate();
  void FormShow();
  void FormCreateAndINI();
  // The window's own close command; false when the close is refused.
  bool FormClose();
  void CloseClick(QObject* sender);
  void FormDestroy();
  // Session end (session manager, SIGTERM): saves silently unless a close path already did.
  void SessionEnd();

  // Configuration file.
  void IniLoad();
  void SaveClick();
  void ReloadClick();
  TStoredDisp ReadObjDisp(const std::string& fileName, const std::string& storedValue);
  // ReadObjDisp, for the list's load and save.
  TDispReader DispReader();
  // Section "Info" with this run's defaults (the Add dialog's folder, the program's folder, now).
  TInfoReader InfoReader() const;
  // The control's value of a setting key, as SaveClick writes it; throws TConvertError for a
  // number field that holds no integer.
  TKeyValue SettingValue(const ConfigKey& key) const;
  TBigIniFile& Ini() { return *BigIni; }

  // Every question and message of the window: it holds the command gate while it waits.
  MsgAnswer Ask(const QString& text, MsgKind kind, MsgButtons buttons);

  // Commands from outside (TesselRemote.cpp): the tray's commands, answered to the caller
  // instead of in a box.
  void RemoteNext() override;
  void RemotePrevious() override;
  void RemotePause() override;
  void RemoteResume() override;
  void RemoteTogglePause() override;
  void RemoteSetPaused(bool paused);
  bool RemoteRemoveCurrent() override;
  void RemoteShow() override;
  void RemoteQuit() override;
  TRemoteStatus RemoteStatus() const override;
  // Told after every change of what RemoteStatus reports.
  std::function<void()> OnStatusChanged;
  void AnnounceStatus() {
    if (OnStatusChanged) OnStatusChanged();
  }

  // Image list.
  void AddClick();
  // False, and nothing added, when the configuration could not keep the name.
  bool AddImageFile(const std::string& fileName, bool last);
  void RemoveClick();
  void MIRemoveClick();
  void MoveUpClick();
  void MoveDownClick();
  void SortImagesClick();
  void ImgListClick();
  void ListView1Change();
  std::string CurrentFileName() const;
  DispObj CurrentDispObj() const;
  TImageList& ImageList();
  const TImageList& ImageList() const;
  // Shows edits made through ImageList() in ListView1 (rows, selection, focus).
  void ListChanged();
  void ScrollIntoView(int index);

  // Display methods read through the form's controls.
  DispControls DispControlsState() const;
  std::string DispObjToStr(DispObj code) const;
  std::string DefDispStr() const;
  DispObj DefDispObj() const;
  void BeginBusy() { Busy.BeginBusy(); }
  void EndBusy() { Busy.EndBusy(); }

  // Applying the wallpaper.
  void ChgBackground();
  // What the current entry's picture must cover while the hidden agent decodes it for the
  // desktop alone (nullopt: the whole picture).
  std::optional<TDecodeTarget> WallpaperDecodeTarget();
  // ChgBackground with "Several monitors" set and more than one monitor (TesselMonitors.cpp):
  // a picture on each monitor, or one across them all.
  void ChgMonitors(const std::vector<TMonitor>& monitors);
  // The entries after the current one by the display order, one for each further monitor
  // (in Random Cycle marked), as the sources of their pictures.
  std::vector<MonitorSource> PickFurtherSources(const std::vector<TMonitor>& monitors);
  // The entry the display order goes on from: the last monitor's after a change of every
  // monitor's picture, else the selected one.
  int OrderCurrentIndex() const;
  void UpdtBackground();
  void ApplyClick(QObject* sender);
  void WMDisplayChange();
  // Runs WMDisplayChange once after monitors are added, removed, moved or resized, or another becomes primary.
  void WatchDisplayChanges();

  // Change scheduler.
  void Timer1Timer(QObject* sender);
  bool ScreenSaverRunning();
  void Change(QObject* sender);

  // Selection order.
  void NextBackground();
  // The way back: false when there is no earlier wallpaper to show.
  bool PreviousBackground();
  void SetNextIndex();
  int RandomCycleIndex();
  void ResetMarkedClick(QObject* sender);
  void orderClick(QObject* sender);

  // Tray agent.
  void OKClick(QObject* sender);
  void Properties1Click(QObject* sender);
  void Pause1Click(QObject* sender);
  void Next1Click(QObject* sender);
  void Previous1Click(QObject* sender);
  void Remove1Click(QObject* sender);
  // The current entry leaves the list after the confirmation the settings ask for, and the
  // next one is applied; false when there is none or the user declined.
  bool RemoveCurrentEntry();
  void mnuDispTypItmClick(QAction* sender);
  void RxTrayIcon1Click(QObject* sender, Qt::MouseButton button, QPoint pos);
  void ShowTrayMenu(QPoint pos);
  // A change the agent makes by itself (its start, a tick, a new monitor layout): a failure
  // waits for no answer but is told in the tray tip or the minimised window's caption, and
  // once per run of failures in a desktop notification.
  // Returns why the change failed, empty when it succeeded.
  std::string RunUnattended(const std::function<void()>& change);
  // A change succeeded: a failure told before is taken back.
  void ChangeSucceeded();
  void SysTrayClickCBChange(QObject* sender);
  void SetHint();
  // The Pause item's caption and the tray icon after the agent paused or resumed.
  void ShowPauseState();

  // Images page.
  void ItemSelectUpdt();
  void SetButtons();
  void dispTileClick(QObject* sender);
  void MIDisplayTypeClick(QAction* sender);
  void ImgListImagePaint(QPainter& painter);
  // A click on the visible method icon: the selected entry moves to the next method of the cycle.
  void IconClick(QObject* sender);
  void DisplayClick();
  // Enables and checks the list's shortcut menu before it opens.
  void ImgPopupMenuPopup();

  // Frame.
  // The tab glyph of a page: -1 none, else an index of the two tab glyphs.
  static int PageControl1GlyphMap(int pageIndex);

  // Start-up entry.
  void CreateShortcutClick(QObject* sender);
  // Tells the user once, without waiting for an answer, that the agent runs without a tray.
  void NoTrayNotice();
  // A desktop notification, which waits for nothing.
  void Notify(const QString& summary, const QString& body);
  // The minimised window's caption while the agent runs without a tray: the agent, or the
  // failure of its last change.
  void ShowAgentCaption();

  // The colour value of FillColorComboBox (0x00BBGGRR, negative for system colours).
  std::int32_t FillColor() const;
  void SetFillColor(std::int32_t color);

  // A handler for a command of the user's, which does nothing while the command gate is
  // closed, and closes it while it runs: a bus call or a box inside may let events run.
  template <class Handler>
  auto Command(Handler handler) {
    return [this, handler] {
      if (!Commands.Open()) return;
      const auto running = Commands.Hold();
      handler();
    };
  }
  // A menu item's handler: the open menu has closed the gate for everything but its own
  // items, which keep it closed while they run.
  template <class Handler>
  auto MenuCommand(Handler handler) {
    return [this, handler] {
      const auto running = Commands.Hold();
      handler();
    };
  }

  // Frame.
  QTabWidget* PageControl1 = nullptr;
  QWidget* ImagesPage = nullptr;
  QWidget* SchedulePage = nullptr;
  QWidget* AdvancedPage = nullptr;
  QWidget* FoldersPage = nullptr;
  QWidget* ExplorerPage = nullptr;
  QWidget* AboutPage = nullptr;
  QPushButton* Reload = nullptr;
  QPushButton* Save = nullptr;
  QPushButton* OK = nullptr;
  QPushButton* Close = nullptr;

  // Images page.
  QPushButton* MoveUp = nullptr;
  QPushButton* MoveDown = nullptr;
  QPushButton* Display = nullptr;
  QTreeView* ListView1 = nullptr;
  QPushButton* Add = nullptr;
  QPushButton* Remove = nullptr;
  QPushButton* Apply = nullptr;
  QFrame* Bevel4 = nullptr;
  TPaintBox* ImgListImage = nullptr;
  QLabel* Label8 = nullptr;
  QLabel* labelWidth = nullptr;
  QLabel* Label10 = nullptr;
  QLabel* labelHeight = nullptr;
  QLabel* Label13 = nullptr;
  QLabel* labelName = nullptr;
  QLabel* Label6 = nullptr;
  QLabel* Count = nullptr;
  QFrame* PanelIcon = nullptr;
  // Indexed by DispObj code: TileImage, CenterImage, StretchImage, MirrorTileImage,
  // BrickTileImage, RatioStretchImage, DoubleTileImage.
  TPaintBox* MethodIcons[DispObjCount] = {};
  QGroupBox* PanelDisplay = nullptr;
  QRadioButton* dispCenter = nullptr;
  QRadioButton* dispTile = nullptr;
  QCheckBox* Stretch = nullptr;
  QRadioButton* dispSpecial = nullptr;
  QComboBox* Special = nullptr;
  QMenu* ImgPopupMenu = nullptr;
  QAction* MIMoveUp = nullptr;
  QAction* MIMoveDown = nullptr;
  QAction* MIDisplay = nullptr;
  QAction* MIRemove = nullptr;
  QAction* MIApply = nullptr;
  QMenu* MIDisplayType = nullptr;
  // Indexed by DispObj code.
  QAction* MIDisplayTypeItems[DispObjCount] = {};

  // Schedule page.
  QGroupBox* TriggerChange = nullptr;
  QLineEdit* execQty = nullptr;
  TUpDown* execQtyUpDown = nullptr;
  QComboBox* execTypeCB = nullptr;
  QGroupBox* OrderingGroup = nullptr;
  QRadioButton* orderSequential = nullptr;
  QRadioButton* orderRandom = nullptr;
  QRadioButton* orderRandomCycle = nullptr;
  QRadioButton* OrderRadio(DisplayOrder order) const;
  QPushButton* ResetMarked = nullptr;
  QCheckBox* OpenMinimized = nullptr;
  QCheckBox* AutoClose = nullptr;
  QLineEdit* AutoCloseMin = nullptr;
  TUpDown* AutoCloseMinUpDown = nullptr;
  QLabel* Label1 = nullptr;
  QPushButton* CreateShortcut = nullptr;

  // Advanced page.
  QGroupBox* GroupBox3 = nullptr;
  QLabel* Label5 = nullptr;
  QComboBox* DefDispCB = nullptr;
  QCheckBox* excFlg = nullptr;
  QLineEdit* excHeightQty = nullptr;
  TUpDown* excHeightQtyUpDown = nullptr;
  QLabel* Label14 = nullptr;
  QLineEdit* excWidthQty = nullptr;
  TUpDown* excWidthQtyUpDown = nullptr;
  QLabel* Label9 = nullptr;
  QComboBox* DefExcCB = nullptr;
  QCheckBox* PlusInstalled = nullptr;
  QCheckBox* SortImages = nullptr;
  QCheckBox* ConfirmRemove = nullptr;
  QCheckBox* ShowSplash = nullptr;
  QLabel* Label7 = nullptr;
  QComboBox* FillColorComboBox = nullptr;
  QLabel* Label11 = nullptr;
  QComboBox* SysTrayClickCB = nullptr;
  QLabel* MonitorsLabel = nullptr;
  QComboBox* MonitorsComboBox = nullptr;

  // ---- Folders page (TesselFolders.cpp) ----
  void AddFolderClick();
  void RemoveFolderClick();
  // The user turned a folder's subfolders on or off in FolderList.
  void FolderSubfoldersClick(int row, bool subfolders);
  // Points the folder watch at Folders and lists each again.
  void WatchFolders();
  // A folder's listing arrived: its pictures join and leave the list as the folder's own
  // edits, which reach the configuration as the agent's state does and leave Save as it is.
  void FolderListed(const std::shared_ptr<const TFolderListing>& listing);
  // Goes on with a large folder's join, one slice per turn of the event loop.
  void FolderJoinMore(const std::shared_ptr<const TFolderListing>& listing, const TJoinResume& resume);
  void FolderSynced(const TFolderListing& listing, const TFolderSyncResult& result, bool hadCurrent);
  TJoinRule FolderJoinRule() const;
  // Whether a watched folder has not been listed yet since the load.
  bool FoldersReading() const;
  void ShowFolders();
  // The user took these entries out of the list: those a watched folder holds stay out.
  void ExcludeFromFolders(const std::vector<std::string>& fileNames);

  QLabel* FoldersIntro = nullptr;
  QTreeWidget* FolderList = nullptr;
  QPushButton* AddFolder = nullptr;
  QPushButton* RemoveFolder = nullptr;
  QLabel* FolderSkipped = nullptr;
  QLabel* FolderWatching = nullptr;
  TWatchedFolders Folders;
  std::unique_ptr<TFolderWatch> FolderWatch;
  // The agent's start (with its sender) waits for the first listing of every watched folder.
  std::optional<QObject*> AgentStartWaiting;
  bool WatchIncompleteTold = false;
  // ---- end of the Folders page ----

  // ---- Image Explorer page (TesselExplorer.cpp, TesselExplorerPreview.cpp) ----
  // The preview panel width and current folder as the configuration sees them.
  int IMPanelImageWidth() const;
  void SetIMPanelImageWidth(int width);
  std::string ImgMgrDirectory() const;
  // Points the directory box at folder, then the file list at the folder the box shows.
  void SetImgMgrDirectory(const std::string& folder);

  // Refresh after the chosen file or a display option changed.
  void FileListViewDlg1FileSelect2();
  // Passes the display options to the GIF control.
  void IMGIFAttributes();
  // Decodes a BMP, JPEG, PNG or WebP file into Preview as the preview's display option needs
  // it, unless Preview already serves it; a file that cannot be opened leaves it empty.
  void LoadPreview(const std::string& fileName);
  // The display option chosen for the preview box.
  PreviewMode ExplorerPreviewMode() const;
  void IMPaintBox1Paint(QPainter& painter);
  // After the preview box has changed size: the fit caption follows it, and a picture
  // decoded reduced for a smaller box is decoded again for this one.
  void IMPaintBox1Resize();
  // The fit caption for Preview in the box as it is now, and the box repainted.
  void ShowPreviewFit();
  void FileListViewDlg1Change();
  // Shared by IMShrink, IMTile, IMStretch and IMAnimate.
  void FileListViewDlg1Click();
  void DirectoryComboDlg1DirectoryChange(const QString& oldDir, const QString& directory, bool canPrev);
  void IMPrevDirClick();
  void IMReReadClick();
  void IMFilterComboBox1Change();
  void IMAddClick();
  void IMRemoveClick();
  void IMPanelDirResize();
  void IMPanelFilterResize();
  // The Add/Remove buttons of the page; part of SetButtons.
  void SetExplorerButtons();
  // After the user switches pages: the file list reads only while its page is shown.
  void PageControl1Change();

  QSplitter* IMSplitter1 = nullptr;
  TPaintBox* IMPanelDir = nullptr;
  TDirectoryComboDlg* DirectoryComboDlg1 = nullptr;
  QToolButton* IMPrevDir = nullptr;
  QToolButton* IMReRead = nullptr;
  TFileListViewDlg* FileListViewDlg1 = nullptr;
  TPaintBox* IMPanelFilter = nullptr;
  TFilterComboBox* IMFilterComboBox1 = nullptr;
  QWidget* IMPanelImage = nullptr;
  TGIFImageView* IMGifImage1 = nullptr;
  TPaintBox* IMPaintBox1 = nullptr;
  QGroupBox* IMGroupInfo = nullptr;
  QLineEdit* IMName = nullptr;
  QLabel* IMHeight = nullptr;
  QLabel* IMSize = nullptr;
  QLabel* IMWidth = nullptr;
  QGroupBox* IMGroupDisplay = nullptr;
  QRadioButton* IMShrink = nullptr;
  QRadioButton* IMTile = nullptr;
  QRadioButton* IMStretch = nullptr;
  QCheckBox* IMAnimate = nullptr;
  QPushButton* IMAdd = nullptr;
  QPushButton* IMRemove = nullptr;
  QLabel* IMPanelLoading = nullptr;

  // The decoded BMP, JPEG, PNG or WebP on preview (null until the first load) and the name of the
  // picture last loaded into the GIF control or the preview box.
  TPreviewPicture Preview;
  std::string PreviewName;
  // Set by the configuration load; the first paint of the preview box reads the folder.
  bool ExplorerFirstRead = false;
  // ---- end of the Image Explorer page ----

  // Tray popup menu.
  QMenu* SysTrayPopupMenu1 = nullptr;
  QAction* Properties1 = nullptr;
  QAction* Pause1 = nullptr;
  QAction* Next1 = nullptr;
  QAction* Previous1 = nullptr;
  QAction* mnuImgName = nullptr;
  QMenu* mnuDispTypItm = nullptr;
  // Indexed by DispObj code: mnuTile, mnuCenter, mnuStretch, mnuMirrorTile, mnuBrickTile,
  // mnuRatioStretch, mnuDoubleTile (the menu shows them in DispMenuOrder).
  QAction* mnuDispTypItems[DispObjCount] = {};
  QAction* Remove1 = nullptr;
  QAction* Close1 = nullptr;

  QTimer* Timer1 = nullptr;

  // Tray icon and its pictures (created on first use).
  QSystemTrayIcon* RxTrayIcon1 = nullptr;
  QIcon SysTrayIcon;
  QIcon SysTrayPaused;
  // Whether the desktop offers a system tray; tests put their own answer here.
  std::function<bool()> TrayAvailable;
  // Shows a desktop notification without waiting; false when no notification server runs.
  std::function<bool(const QString& summary, const QString& body)> NotifyDesktop;

  // The image viewer, created with the window and reused for every picture.
  std::unique_ptr<TImgDispForm> ImgDispForm;
  QLabel* BottomStrip = nullptr;

  // Run state.
  bool StartMinimized = false;
  bool AgentRunning = false;
  bool ChangedSinceTrim = false;  // a change ran since ReleasePictures last returned memory
  // The change under way is the display order's (every monitor changes), not an Apply.
  bool WholeChange = false;
  // The entry the last monitor showed after such a change; -1 without one.
  int LastMonitorEntry = -1;
  // The wallpapers shown, kept in HistoryFileName. While a change shows one of them again,
  // HistoryStep holds its pictures (the primary's first): it is no new change to record, the
  // further monitors take its pictures and the random-cycle marks stay.
  TChangeHistory History;
  std::string HistoryFileName;
  std::optional<THistoryStep> HistoryStep;
  // The further monitors' pictures of the last change that made them.
  std::vector<std::string> ShownFurther;
  bool FirstShowDone = false;
  bool CloseHandled = false;
  // A termination request arrived: the run ends with the silent save of FormDestroy.
  bool Terminating = false;
  bool MoveRefused = false;
  bool SettingButtons = false;
  double AgentStartTime = 0;
  std::int32_t CycleRemaining = 0;
  std::string ConvertFileName;
  // The Add dialog's initial folder and the last file chosen in it during this run.
  std::string AddInitialDir;
  std::string AddLastFileName;

  // Paused, the tray-click action, the display order and the last change: the controls
  // show them, this holds them.
  TAgentState Agent;
  // What the agent decides while it runs, on Agent.
  TAgentSession Session{Agent};
  // Whether the settings differ from the file; Save and Reload show it.
  TUnsavedChanges Unsaved;
  // Closed while the configuration loads: commands from the user and from outside wait
  // for the whole list.
  TCommandGate Commands;
  TPictureCache Pictures;
  TCompositionCache CompositionCache;
  TBusyCursor Busy;
  std::unique_ptr<TBigIniFile> BigIni;
  TFormServices Services;

 signals:
  // The application is told to terminate (a close path answered Yes or No).
  void TerminateRequested();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildFrame();
  void BuildImagesPage();
  void BuildSchedulePage();
  void BuildAdvancedPage();
  void BuildFoldersPage();
  void BuildExplorerPage();
  void BuildTrayMenu();
  void BuildBottomStrip();
  void WireImagesPage();
  void WireSettings();
  void SyncSelectionFromView();
  void MoveCurrent(int delta, QObject* sender);
  MsgAnswer SaveAnswer(ClosePath path);
  void SetUnsaved(bool unsaved);
  void ShowRemoved(int index);
  void FreePictures();
  void ReleasePictures();

  // Agent helpers.
  QSystemTrayIcon* TrayIcon();
  void ArmTimerNow();
  void RunReportingErrors(const std::function<void()>& step);
  void SelectEntry(int index);
  // A change asked for from outside; a failure goes back to the caller as a refusal.
  void RemoteChange(const std::function<void()>& change);
  void ShowHistoryStep(const THistoryStep& step);
  bool UsablePicture(const std::string& file) const;
  void RecordInHistory();
  void SetPreviousEnabled();
  void HideForAgent();
  void WatchMinimisedAgent();

  TImageListModel* ListModel = nullptr;
  // The Add in progress, which AddImageFile adds to; none outside it.
  TAddBatch* AddBatch = nullptr;
  bool SyncingView = false;
  // The agent runs without a tray icon: its window is minimised instead of hidden.
  bool AgentWithoutTray = false;
  bool AgentMinimisedSeen = false;
  bool NoTrayNoticeShown = false;
  bool Destroyed = false;
  // Image Explorer page.
  void WireExplorerPage();
  int IMPanelWidth = 305;
};
