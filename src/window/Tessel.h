// TTesselForm1: the properties window, and the owner of every long-lived object of the run.
//
// Data flow: the window owns the configuration (TBigIniFile), the settings (TSettings), the
// image list (TImageList, shown in ListView1 through TImageListModel), the picture and
// composition caches, and the agent (TAgent), which holds the run state, decides each tick,
// picks the next entry and changes the wallpaper. The first show loads the configuration into
// the controls and the list (IniLoad); every control writes its setting into TSettings
// whenever its value changes, and nothing reads a setting back from a control; SaveClick
// writes the settings back, the close paths offer to. The window is the agent's view
// (IAgentView): the agent tells it what to show, and its handlers, which keep their names,
// call the agent and the plain classes below the window (imagelist/, config/, wallpaper/,
// explorer/) and show what they answer.
//
// The rule of this folder: a page, or the frame around the pages, is built in <Page>Page.cpp
// (Frame.cpp); its behaviour is in Tessel<Concern>.cpp (TesselConfig.cpp, TesselTray.cpp,
// TesselImagesPage.cpp, ...); TesselView.cpp answers the agent. The outside world comes in
// through TFormServices.
#pragma once

#include <QIcon>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "agent/Agent.h"
#include "agent/AgentFolders.h"
#include "agent/AgentRemote.h"
#include "agent/AgentView.h"
#include "config/BigIni.h"
#include "config/ConfigValues.h"
#include "config/Settings.h"
#include "config/UnsavedChanges.h"
#include "explorer/PreviewDecode.h"
#include "imagelist/ImageList.h"
#include "imagelist/ImagesPageButtons.h"
#include "imagelist/ListEdits.h"
#include "imagelist/ListFile.h"
#include "picture/PictureCache.h"
#include "platform/dialogs/MessageBoxes.h"
#include "platform/screen/ScreenMetrics.h"
#include "wallpaper/BusyCursor.h"
#include "wallpaper/CompositionCache.h"
#include "wallpaper/DispMethods.h"
#include "window/FormServices.h"

class QAction;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
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
class QTimer;
class QTreeView;
class QTreeWidget;
class QToolButton;
class TDirectoryComboDlg;
class TFileListViewDlg;
class TFilterComboBox;
class TGIFImageView;
class TImageListModel;
class TImgDispForm;
class TPaintBox;
class TUpDown;

class TTesselForm1 : public QWidget, private IAgentView {
  Q_OBJECT

 public:
  explicit TTesselForm1(TFormServices services, QWidget* parent = nullptr);
  ~TTesselForm1() override;

  // ---- The run's objects ----
  TAgent& Agent() { return *AgentRun; }
  const TAgent& Agent() const { return *AgentRun; }
  TSettings& Settings() { return Values; }
  const TSettings& Settings() const { return Values; }
  TImageList& ImageList() { return List; }
  const TImageList& ImageList() const { return List; }
  TBigIniFile& Ini() { return *BigIni; }
  TPictureCache& Pictures() { return PictureCache; }
  TCompositionCache& Compositions() { return CompositionCache; }
  const TBusyCursor& Busy() const { return BusyCounter; }
  // What commands from outside reach.
  IRemoteControl& Remote() { return RemoteCommands; }

  // ---- Program start-up and shutdown (Tessel.cpp) ----
  void FormCreate();
  void FormShow();
  void FormCreateAndINI();
  // Whether the run starts as the agent ("Open Minimized").
  bool StartMinimized() const { return StartsMinimized; }
  // The run opens the window whatever "Open Minimized" says.
  void StartWithWindow();
  // The window's own close command; false when the close is refused.
  bool FormClose();
  void CloseClick(QObject* sender);
  void FormDestroy();
  // Session end (session manager, SIGTERM): saves silently unless a close path already did.
  void SessionEnd();
  // A close path has dealt with the settings.
  bool CloseHandled() const { return Closed; }
  // A termination request arrived: the run ends with the silent save of FormDestroy.
  void SetTerminating(bool terminating) { Terminating = terminating; }
  // A move was refused because the list is sorted; the moves stay off until sorting changes.
  bool MovesRefused() const { return MoveRefused; }

  // ---- Configuration file (TesselConfig.cpp) ----
  void IniLoad();
  void SaveClick();
  void ReloadClick();
  TStoredDisp ReadObjDisp(const std::string& fileName, const std::string& storedValue);
  // Section "Info" with this run's defaults (the Add dialog's folder, the program's folder, now).
  TInfoReader InfoReader() const;
  // Every question and message of the window: it holds the command gate while it waits.
  MsgAnswer Ask(const QString& text, MsgKind kind, MsgButtons buttons) override;

  // ---- Image list (TesselImageList.cpp) ----
  void AddClick();
  // False, and nothing added, when the configuration could not keep the name.
  bool AddImageFile(const std::string& fileName, bool last);
  void RemoveClick();
  void MIRemoveClick();
  // The current entry's dark partner, chosen in the Add dialog; the selected entries' cleared.
  void DarkPictureClick();
  void NoDarkPictureClick();
  // Shows an edit of partners, marks the configuration unsaved, and lets the wallpaper follow.
  void PartnersEdited();
  void MoveUpClick();
  void MoveDownClick();
  void SortImagesClick();
  void ImgListClick();
  void ListView1Change();
  std::string CurrentFileName() const { return Agent().CurrentFileName(); }
  DispObj CurrentDispObj() const { return Agent().CurrentDispObj(); }
  // Shows edits made through ImageList() in ListView1 (rows, selection, focus).
  void ListChanged();
  void ScrollIntoView(int index);
  std::string DispObjToStr(DispObj code) const { return Agent().MethodText(code); }
  DispObj DefDispObj() const { return Values.DefaultDisplay; }
  void BeginBusy() { BusyCounter.BeginBusy(); }
  void EndBusy() { BusyCounter.EndBusy(); }

  // ---- Applying the wallpaper (TesselApply.cpp) ----
  void ChgBackground() { AgentRun->ChgBackground(); }
  std::optional<TDecodeTarget> WallpaperDecodeTarget() const { return Agent().WallpaperDecodeTarget(); }
  void UpdtBackground() { AgentRun->UpdtBackground(); }
  void ApplyClick(QObject* sender);
  void WMDisplayChange() { AgentRun->WMDisplayChange(); }
  // Runs the agent's DisplayChanged once after monitors are added, removed, moved or resized,
  // or another becomes primary.
  void WatchDisplayChanges();

  // ---- Change scheduler and selection order (TesselScheduler.cpp) ----
  void Timer1Timer(QObject* sender);
  void Change(QObject* sender);
  void NextBackground() { AgentRun->NextBackground(); }
  // The way back: false when there is no earlier wallpaper to show.
  bool PreviousBackground() { return AgentRun->PreviousBackground(); }
  void ResetMarkedClick(QObject* sender);
  void orderClick(QObject* sender);

  // ---- Tray agent (TesselTray.cpp) ----
  void OKClick(QObject* sender);
  void Properties1Click(QObject* sender);
  void Pause1Click(QObject* sender);
  void Next1Click(QObject* sender);
  void Previous1Click(QObject* sender);
  void Remove1Click(QObject* sender);
  void mnuDispTypItmClick(QAction* sender);
  void RxTrayIcon1Click(QObject* sender, Qt::MouseButton button, QPoint pos);
  void ShowTrayMenu(QPoint pos);
  void SysTrayClickCBChange(QObject* sender);
  void SetHint() { AgentRun->SetHint(); }

  // ---- Images page (TesselImagesPage.cpp) ----
  void ItemSelectUpdt();
  // The Add of files as one batch: the names that cannot be stored.
  std::vector<std::string> AddFiles(const std::vector<std::string>& files);
  void SetButtons();
  void dispTileClick(QObject* sender);
  void MIDisplayTypeClick(QAction* sender);
  void ImgListImagePaint(QPainter& painter);
  // A click on the visible method icon: the selected entry moves to the next method of the cycle.
  void IconClick(QObject* sender);
  void DisplayClick();
  // Enables and checks the list's shortcut menu before it opens.
  void ImgPopupMenuPopup();

  // ---- Frame (Frame.cpp) ----
  // The tab glyph of a page: -1 none, else an index of the two tab glyphs.
  static int PageControl1GlyphMap(int pageIndex);

  // ---- Start-up entry and the agent without a tray (TesselStartupEntry.cpp, TesselTray.cpp) ----
  void CreateShortcutClick(QObject* sender);
  // A desktop notification, which waits for nothing.
  void Notify(const QString& summary, const QString& body) override;
  // Whether the desktop offers a system tray; tests put their own answer here.
  std::function<bool()> TrayAvailable;
  // Shows a desktop notification without waiting; false when no notification server runs.
  std::function<bool(const QString& summary, const QString& body)> NotifyDesktop;

  // The colour value of FillColorComboBox (0x00BBGGRR, negative for system colours).
  std::int32_t FillColor() const { return Values.FillColor; }
  void SetFillColor(std::int32_t color);

  // A handler for a command of the user's, which does nothing while the command gate is
  // closed, and closes it while it runs: a bus call or a box inside may let events run.
  template <class Handler>
  auto Command(Handler handler) {
    return [this, handler] {
      if (!AgentRun->Commands().Open()) return;
      const auto running = AgentRun->Commands().Hold();
      handler();
    };
  }
  // A menu item's handler: the open menu has closed the gate for everything but its own
  // items, which keep it closed while they run.
  template <class Handler>
  auto MenuCommand(Handler handler) {
    return [this, handler] {
      const auto running = AgentRun->Commands().Hold();
      handler();
    };
  }

  // ---- Folders page (TesselFolders.cpp) ----
  void AddFolderClick();
  void RemoveFolderClick();
  // The user turned a folder's subfolders on or off in FolderList.
  void FolderSubfoldersClick(int row, bool subfolders);
  // Whether a watched folder has not been listed yet since the load.
  bool FoldersReading() const;

  // ---- Image Explorer page (TesselExplorer.cpp, TesselExplorerPreview.cpp) ----
  // The preview panel width and current folder as the configuration sees them.
  int IMPanelImageWidth() const { return Values.IMSplitter; }
  void SetIMPanelImageWidth(int width);
  const std::string& ImgMgrDirectory() const { return Values.ImgMgrDirectory; }
  // Points the directory box at folder, then the file list at the folder the box shows.
  void SetImgMgrDirectory(const std::string& folder);
  // Refresh after the chosen file or a display option changed.
  void FileListViewDlg1FileSelect2();
  // Passes the display options to the GIF control.
  void IMGIFAttributes();
  // Decodes a BMP, JPEG, PNG or WebP file into Preview as the preview's display option needs
  // it, unless Preview already serves it; a file that cannot be opened leaves it empty.
  void LoadPreview(const std::string& fileName);
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
  // The decoded BMP, JPEG, PNG or WebP on preview (null until the first load) and the name of
  // the picture last loaded into the GIF control or the preview box.
  const TPreviewPicture& Preview() const { return PreviewPicture; }
  const std::string& PreviewName() const { return PreviewFile; }
  // Set by the configuration load; the first paint of the preview box reads the folder.
  bool ExplorerFirstRead() const { return ExplorerReadPending; }

  // Frame.
  QTabWidget* PageControl1 = nullptr;
  QWidget* ImagesPage = nullptr;
  QWidget* SchedulePage = nullptr;
  QWidget* AdvancedPage = nullptr;
  QWidget* DesktopPage = nullptr;
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
  QAction* MIDarkPicture = nullptr;
  QAction* MINoDarkPicture = nullptr;
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

  // Desktop page.
  QLabel* FadeLabel = nullptr;
  QDoubleSpinBox* FadeSeconds = nullptr;
  QCheckBox* LockScreen = nullptr;
  QLabel* LockScreenNote = nullptr;
  QLabel* RunAfterChangeLabel = nullptr;
  QLineEdit* RunAfterChange = nullptr;

  // Folders page.
  QLabel* FoldersIntro = nullptr;
  QTreeWidget* FolderList = nullptr;
  QPushButton* AddFolder = nullptr;
  QPushButton* RemoveFolder = nullptr;
  QLabel* FolderSkipped = nullptr;
  QLabel* FolderWatching = nullptr;

  // Image Explorer page.
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

  // The agent's schedule timer.
  QTimer* Timer1 = nullptr;

  // Tray icon and its pictures (created on first use).
  QSystemTrayIcon* RxTrayIcon1 = nullptr;
  QIcon SysTrayIcon;
  QIcon SysTrayPaused;

  // The image viewer, created with the window and reused for every picture.
  std::unique_ptr<TImgDispForm> ImgDispForm;
  QLabel* BottomStrip = nullptr;

 signals:
  // The application is told to terminate (a close path answered Yes or No).
  void TerminateRequested();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // ---- The agent's view (TesselView.cpp) ----
  void ShowSelection(int index) override;
  void ShowCurrent() override;
  void ShowEntries() override;
  void ShowRemoved(int index) override;
  void FoldersSynced(bool currentChanged) override;
  void ShowFolders() override;
  void EnableResetMarked(bool enabled) override;
  void Changed() override;
  void ShowHint(const QString& hint, const QString& tip) override;
  void ShowPreviousEnabled(bool enabled) override;
  void ShowPauseState(const char* caption, bool paused) override;
  void ShowAgentCaption(const QString& caption) override;
  void HideForAgent() override;
  void ApplyCurrent() override;
  void ShowWindow() override;
  void OpenPictures(const std::vector<std::string>& files) override;
  void Quit() override;
  DispControls DisplayGroup() const override;
  DispRadio RadioOf(QObject* control) const;

  // The settings a load read, shown on the controls before and after the list is read.
  void ShowSettingsBeforeList(const TSettings& loaded);
  void ShowSettingsAfterList(const TSettings& loaded);
  void BuildFrame();
  void BuildImagesPage();
  void BuildSchedulePage();
  void BuildAdvancedPage();
  void BuildDesktopPage();
  void BuildFoldersPage();
  void BuildExplorerPage();
  void BuildTrayMenu();
  void BuildBottomStrip();
  void WireImagesPage();
  void WireExplorerPage();
  void SyncSelectionFromView();
  void MoveCurrent(int delta, QObject* sender);
  // The close paths but the window's own: false when the user cancelled.
  bool CloseBy(ClosePath path);
  MsgAnswer SaveAnswer(ClosePath path);
  void SetUnsaved(bool unsaved);
  // The method set on the list as the user chose it, and the page showing it: false when
  // there is no current entry.
  bool SetEntriesMethod(DispObj method, MethodScope scope);
  void ShowCount();
  // The display option chosen for the Image Explorer's preview box.
  PreviewMode ExplorerPreviewMode() const;
  void ShowFileListFolder();
  // The chosen file in the GIF control, or in the preview box.
  void ShowGif(const std::string& name);
  void ShowPicture(const std::string& name);
  QSystemTrayIcon* TrayIcon();
  // Tells the user once, without waiting for an answer, that the agent runs without a tray.
  void NoTrayNotice();
  void WatchMinimisedAgent();

  TFormServices Services;
  TBusyCursor BusyCounter;
  std::unique_ptr<TBigIniFile> BigIni;
  TSettings Values;
  TImageList List;
  TPictureCache PictureCache;
  TCompositionCache CompositionCache;
  std::unique_ptr<TAgent> AgentRun;
  TAgentRemote RemoteCommands;
  // Whether the settings differ from the file; Save and Reload show it.
  TUnsavedChanges Unsaved;

  TImageListModel* ListModel = nullptr;
  // The Images page's enabled controls and method as SetButtons last showed them.
  TImagesPageButtons ButtonsShown;
  DispObj MethodShown = DispObj::None;
  TPreviewPicture PreviewPicture;
  std::string PreviewFile;
  bool ExplorerReadPending = false;
  bool StartsMinimized = false;
  bool FirstShowDone = false;
  bool Closed = false;
  bool Terminating = false;
  bool MoveRefused = false;
  bool SettingButtons = false;
  bool SyncingView = false;
  // The agent runs without a tray icon: its window is minimised instead of hidden.
  bool AgentWithoutTray = false;
  bool AgentMinimisedSeen = false;
  bool NoTrayNoticeShown = false;
  bool Destroyed = false;
};
