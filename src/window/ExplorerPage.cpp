#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "explorer/PictureThumbnail.h"
#include "widgets/DesignedControls.h"
#include "widgets/PaintBox.h"
#include "widgets/TDirectoryComboDlg.h"
#include "widgets/TFileListViewDlg.h"
#include "widgets/TFilterComboBox.h"
#include "widgets/TGIFImageView.h"
#include "window/Tessel.h"

namespace {

constexpr int kPageWidth = 521;
constexpr int kUpperHeight = 235;
constexpr int kSplitterMinimum = 100;

struct FilterItem {
  const char* description;
  const char* mask;
};
constexpr FilterItem kFilters[] = {{"All Images (BMP,GIF,JPG,JPEG,PNG,WEBP)", "*.gif;*.bmp;*.jpg;*.jpeg;*.png;*.webp"},
                                   {"Bitmaps (BMP)", "*.bmp"},
                                   {"GIF files (GIF)", "*.gif"},
                                   {"JPEG files (JPG,JPEG)", "*.jpg;*.jpeg"},
                                   {"PNG files (PNG)", "*.png"},
                                   {"WebP files (WEBP)", "*.webp"}};

QToolButton* MakeSpeedButton(QWidget* parent, const char* name, int left, QStyle::StandardPixmap icon,
                             const QString& hint) {
  auto* button = MakeControl<QToolButton>(parent, name, left, 0, 22, 22);
  button->setIcon(parent->style()->standardIcon(icon));
  button->setToolTip(hint);
  button->setAutoRaise(true);
  return button;
}

}  // namespace

void TTesselForm1::BuildExplorerPage() {
  QWidget* page = ExplorerPage;
  IMSplitter1 = MakeControl<QSplitter>(page, "IMSplitter1", 0, 0, kPageWidth, kUpperHeight);
  IMSplitter1->setHandleWidth(3);
  IMSplitter1->setChildrenCollapsible(false);

  auto* left = MakeControl<QWidget>(IMSplitter1, "IMPanelLeft", 0, 0, 268, kUpperHeight);
  left->setMinimumWidth(kSplitterMinimum);
  auto* leftLayout = new QVBoxLayout(left);
  leftLayout->setContentsMargins(0, 0, 0, 0);
  leftLayout->setSpacing(0);
  IMPanelDir = MakeControl<TPaintBox>(left, "IMPanelDir", 0, 0, 268, 24);
  IMPanelDir->setFixedHeight(24);
  DirectoryComboDlg1 = MakeControl<TDirectoryComboDlg>(IMPanelDir, "DirectoryComboDlg1", 0, 0, 157, 22);
  IMPrevDir = MakeSpeedButton(IMPanelDir, "IMPrevDir", 160, QStyle::SP_FileDialogToParent, "Up One Level");
  IMReRead = MakeSpeedButton(IMPanelDir, "IMReRead", 184, QStyle::SP_BrowserReload, "Re-Read Directory");
  FileListViewDlg1 = MakeControl<TFileListViewDlg>(left, "FileListViewDlg1", 0, 24, 268, 185);
  FileListViewDlg1->SetReadEnabled(false);
  FileListViewDlg1->SetMask("*.BMP;*.GIF;*.JPEG;*.JPG;*.PNG;*.WEBP");
  FileListViewDlg1->SetThumbnailMaker(MakePictureThumbnail);
  IMPanelFilter = MakeControl<TPaintBox>(left, "IMPanelFilter", 0, 209, 268, 26);
  IMPanelFilter->setFixedHeight(26);
  IMFilterComboBox1 = MakeControl<TFilterComboBox>(IMPanelFilter, "IMFilterComboBox1", 0, 2, 209, 22);
  // The strip gives the box its whole width; its list opens as wide as its longest item.
  IMFilterComboBox1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  IMFilterComboBox1->setMinimumContentsLength(16);
  for (const FilterItem& filter : kFilters) IMFilterComboBox1->AddFilter(filter.description, filter.mask);
  leftLayout->addWidget(IMPanelDir);
  leftLayout->addWidget(FileListViewDlg1, 1);
  leftLayout->addWidget(IMPanelFilter);

  IMPanelImage = MakeControl<QWidget>(IMSplitter1, "IMPanelImage", 271, 0, 250, kUpperHeight);
  IMPanelImage->setMinimumWidth(kSplitterMinimum);
  auto* imageLayout = new QGridLayout(IMPanelImage);
  imageLayout->setContentsMargins(0, 0, 0, 0);
  IMGifImage1 = MakeControl<TGIFImageView>(IMPanelImage, "IMGifImage1", 0, 0, 250, kUpperHeight);
  IMPaintBox1 = MakeControl<TPaintBox>(IMPanelImage, "IMPaintBox1", 0, 0, 250, kUpperHeight);
  imageLayout->addWidget(IMGifImage1, 0, 0);
  imageLayout->addWidget(IMPaintBox1, 0, 0);
  IMGifImage1->hide();
  IMSplitter1->setStretchFactor(0, 1);
  IMSplitter1->setStretchFactor(1, 0);
  QWidget* handle = IMSplitter1->handle(1);
  QPalette handlePalette = handle->palette();
  handlePalette.setColor(QPalette::Window, handlePalette.color(QPalette::Highlight));
  handle->setPalette(handlePalette);
  handle->setAutoFillBackground(true);
  SetIMPanelImageWidth(Values.IMSplitter);

  auto* lower = MakeControl<QWidget>(page, "IMPanelBottom", 0, kUpperHeight, kPageWidth, 73);
  IMGroupInfo = MakeControl<QGroupBox>(lower, "IMGroupInfo", 0, 0, 209, 73, "Image Info");
  MakeLabel(IMGroupInfo, "IMLabelName", "Name:", 8, 18);
  IMName = MakeControl<QLineEdit>(IMGroupInfo, "IMName", 48, 16, 154, 16);
  IMName->setReadOnly(true);
  IMName->setFrame(false);
  QFont bold = IMName->font();
  bold.setBold(true);
  IMName->setFont(bold);
  MakeLabel(IMGroupInfo, "IMLabelHeight", "Height:", 8, 36);
  IMHeight = MakeLabel(IMGroupInfo, "IMHeight", "", 48, 36, true, 56);
  MakeLabel(IMGroupInfo, "IMLabelWidth", "Width:", 108, 36);
  IMWidth = MakeLabel(IMGroupInfo, "IMWidth", "", 148, 36, true, 56);
  MakeLabel(IMGroupInfo, "IMLabelSize", "Size:", 8, 54);
  IMSize = MakeLabel(IMGroupInfo, "IMSize", "", 48, 54, true, 150);

  IMGroupDisplay = MakeControl<QGroupBox>(lower, "IMGroupDisplay", 216, 0, 177, 73, "Display");
  IMShrink = MakeControl<QRadioButton>(IMGroupDisplay, "IMShrink", 8, 16, 100, 17, "Shrink to fit");
  IMTile = MakeControl<QRadioButton>(IMGroupDisplay, "IMTile", 8, 34, 96, 17, "Tile");
  IMStretch = MakeControl<QRadioButton>(IMGroupDisplay, "IMStretch", 8, 52, 96, 17, "Stretch");
  IMAnimate = MakeControl<QCheckBox>(IMGroupDisplay, "IMAnimate", 112, 16, 62, 17, "Animate");
  IMShrink->setChecked(true);
  IMAnimate->setChecked(true);
  for (QWidget* option : {static_cast<QWidget*>(IMShrink), static_cast<QWidget*>(IMTile),
                          static_cast<QWidget*>(IMStretch), static_cast<QWidget*>(IMAnimate)})
    option->setEnabled(false);

  IMAdd = MakeControl<QPushButton>(lower, "IMAdd", 400, 6, 113, 25, "Add to List");
  IMAdd->setToolTip("Add to Image List");
  IMRemove = MakeControl<QPushButton>(lower, "IMRemove", 400, 6, 113, 25, "Remove from List");
  IMRemove->setToolTip("Remove from Image List");
  IMAdd->setEnabled(false);
  IMRemove->setEnabled(false);
  IMRemove->hide();

  IMPanelLoading = MakeControl<QLabel>(page, "IMPanelLoading", 16, 88, 185, 41, "Loading...");
  IMPanelLoading->setFrameStyle(QFrame::Panel | QFrame::Raised);
  IMPanelLoading->setLineWidth(2);
  IMPanelLoading->setAlignment(Qt::AlignCenter);
  IMPanelLoading->setAutoFillBackground(true);
  IMPanelLoading->raise();

  WireExplorerPage();
}

void TTesselForm1::WireExplorerPage() {
  connect(IMSplitter1, &QSplitter::splitterMoved, this, [this] {
    Values.IMSplitter = IMSplitter1->sizes().value(1, Values.IMSplitter);
    Change(IMSplitter1);
  });
  connect(DirectoryComboDlg1, &TDirectoryComboDlg::DirectoryShown, this,
          [this](const QString& directory) { Values.ImgMgrDirectory = directory.toStdString(); });
  IMPanelDir->OnResize = [this] { IMPanelDirResize(); };
  IMPanelFilter->OnResize = [this] { IMPanelFilterResize(); };
  IMPaintBox1->OnPaint = [this](QPainter& painter) { IMPaintBox1Paint(painter); };
  // A splitter drag or a window resize changes the box's size many times over: the preview
  // follows once the size has rested.
  auto* previewResized = new QTimer(this);
  previewResized->setSingleShot(true);
  previewResized->setInterval(150);
  connect(previewResized, &QTimer::timeout, this,
          [this] { AgentRun->Run(FailureRoute::Box, [this] { IMPaintBox1Resize(); }); });
  IMPaintBox1->OnResize = [previewResized] { previewResized->start(); };
  connect(DirectoryComboDlg1, &TDirectoryComboDlg::DirectoryChange, this,
          &TTesselForm1::DirectoryComboDlg1DirectoryChange);
  connect(IMPrevDir, &QToolButton::clicked, this, [this] { IMPrevDirClick(); });
  connect(IMReRead, &QToolButton::clicked, this, [this] { IMReReadClick(); });
  connect(FileListViewDlg1, &TFileListViewDlg::Change, this, [this] { FileListViewDlg1Change(); });
  connect(IMFilterComboBox1, &QComboBox::currentIndexChanged, this, [this] { IMFilterComboBox1Change(); });
  for (QAbstractButton* option : {static_cast<QAbstractButton*>(IMShrink), static_cast<QAbstractButton*>(IMTile),
                                  static_cast<QAbstractButton*>(IMStretch), static_cast<QAbstractButton*>(IMAnimate)})
    connect(option, &QAbstractButton::clicked, this, [this] { FileListViewDlg1Click(); });
  connect(IMAdd, &QPushButton::clicked, this, Command([this] { IMAddClick(); }));
  connect(IMRemove, &QPushButton::clicked, this, Command([this] { IMRemoveClick(); }));
}
