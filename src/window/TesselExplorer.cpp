#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>
#include <algorithm>

#include "imagelist/ListEdits.h"
#include "imagelist/StorableName.h"
#include "platform/dialogs/MessageBoxes.h"
#include "widgets/PaintBox.h"
#include "widgets/TDirectoryComboDlg.h"
#include "widgets/TFileListViewDlg.h"
#include "widgets/TFilterComboBox.h"
#include "window/Tessel.h"

void TTesselForm1::SetIMPanelImageWidth(int width) {
  Values.IMSplitter = width;
  const int total = IMSplitter1->width() - IMSplitter1->handleWidth();
  IMSplitter1->setSizes({std::max(total - width, 0), width});
}

void TTesselForm1::SetImgMgrDirectory(const std::string& folder) {
  DirectoryComboDlg1->SetDirectory(QString::fromStdString(folder));
  FileListViewDlg1->SetDirectory(DirectoryComboDlg1->Directory());
}

void TTesselForm1::FileListViewDlg1Change() {
  if (!FileListViewDlg1->SelectedFileName().isEmpty()) FileListViewDlg1FileSelect2();
  ShowFileListFolder();
}

// The directory box follows the folder the file list went to.
void TTesselForm1::ShowFileListFolder() {
  if (DirectoryComboDlg1->Directory() != FileListViewDlg1->Directory())
    DirectoryComboDlg1->SetDirectory(FileListViewDlg1->Directory());
}

void TTesselForm1::FileListViewDlg1Click() { FileListViewDlg1FileSelect2(); }

void TTesselForm1::DirectoryComboDlg1DirectoryChange(const QString&, const QString& directory, bool) {
  DirectoryComboDlg1->setToolTip(directory);
  FileListViewDlg1->setToolTip(directory);
  FileListViewDlg1->SetDirectory(directory);
}

void TTesselForm1::IMPrevDirClick() {
  FileListViewDlg1->UpOneLevel();
  ShowFileListFolder();
}

void TTesselForm1::IMReReadClick() { FileListViewDlg1->Reread(); }

void TTesselForm1::IMFilterComboBox1Change() { FileListViewDlg1->SetMask(IMFilterComboBox1->Mask()); }

void TTesselForm1::IMAddClick() {
  const std::string name = FileListViewDlg1->SelectedFileName().toStdString();
  if (!IsStorableName(TrimName(name))) {
    Ask(UnstorableNamesMessage({name}), MsgKind::Error, MsgButtons::Ok);
    return;
  }
  ImageList().ClearSelection();
  AddImageFile(name, true);
  Change(IMAdd);
  IMAdd->setEnabled(false);
  SetButtons();
}

void TTesselForm1::IMRemoveClick() {
  TImageList& list = ImageList();
  const int row = list.Find(FileListViewDlg1->SelectedFileName().toStdString());
  if (SelectOnly(list, row)) {
    ListChanged();
    ScrollIntoView(row);
    RemoveClick();
  }
  SetButtons();
}

void TTesselForm1::IMPanelDirResize() {
  // Right-aligned: Re-Read one pixel from the edge, Up One Level four pixels left of it, the
  // directory box filling what is left (w - 23, w - 49 and w - 53 with 22-pixel buttons).
  const int w = IMPanelDir->width();
  IMReRead->move(w - IMReRead->width() - 1, IMReRead->y());
  IMPrevDir->move(IMReRead->x() - 4 - IMPrevDir->width(), IMPrevDir->y());
  DirectoryComboDlg1->resize(std::max(IMPrevDir->x() - 4, 0), DirectoryComboDlg1->height());
  IMGIFAttributes();
}

void TTesselForm1::IMPanelFilterResize() {
  IMFilterComboBox1->resize(IMPanelFilter->width(), IMFilterComboBox1->height());
}

void TTesselForm1::SetExplorerButtons() {
  const std::string chosen = FileListViewDlg1->SelectedFileName().toStdString();
  const bool offered = IMShrink->isEnabled() && !chosen.empty();
  const bool listed = offered && ImageList().Find(chosen) >= 0;
  IMAdd->setEnabled(offered && !listed);
  IMAdd->setVisible(!listed);
  IMRemove->setEnabled(listed);
  IMRemove->setVisible(listed);
}

void TTesselForm1::PageControl1Change() {
  // The page's first showing reads the folder itself (IMPaintBox1Paint).
  const bool shown = PageControl1->currentWidget() == ExplorerPage;
  if (!shown || !ExplorerReadPending) FileListViewDlg1->SetReadEnabled(shown);
}
