#include <QCheckBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QTabWidget>
#include <QTreeView>

#include "imagelist/ListEdits.h"
#include "imagelist/StorableName.h"
#include "platform/dialogs/AddDialog.h"
#include "platform/dialogs/MessageBoxes.h"
#include "platform/system/PathParts.h"
#include "window/Tessel.h"

namespace {

const QString kAddFilter = QStringLiteral(
    "Graphics "
    "(*.BMP;*.JPG;*.JPEG;*.GIF;*.PNG;*.WEBP)|*.BMP;*.JPG;*.JPEG;*.GIF;*.PNG;*.WEBP|(*.BMP)|*.BMP|(*.GIF)|*.GIF|"
    "(*.JPG;*.JPEG)|*.JPG;*.JPEG|(*.PNG)|*.PNG|(*.WEBP)|*.WEBP");
const QString kMoveRefused = QStringLiteral(
    "Move Up/Move Down options are not available when \"Sort Images by Filename\" option is selected on the Advanced "
    "page.");

}  // namespace

std::string TTesselForm1::CurrentFileName() const {
  const int current = ImageList().FirstSelected();
  return current < 0 ? std::string() : ImageList().At(current).fileName;
}

DispObj TTesselForm1::CurrentDispObj() const {
  const int current = ImageList().FirstSelected();
  return current < 0 ? DefDispObj() : ImageList().At(current).disp;
}

bool TTesselForm1::AddImageFile(const std::string& fileName, bool last) {
  // Added by hand, a picture a watched folder holds may join again.
  Folders.Readmit(TrimName(fileName));
  if (AddBatch) return AddBatch->Add(fileName, DefDispObj(), last);
  const std::optional<int> index = AddOrSelect(ImageList(), fileName, DefDispObj());
  if (!index) return false;
  if (*index < 0) return true;
  ListChanged();
  if (last) ScrollIntoView(*index);
  return true;
}

void TTesselForm1::AddClick() {
  std::optional<std::vector<std::string>> files;
  {
    const auto dialogOpen = Commands.Hold();
    files = Services.addDialog.Execute(kAddFilter, AddInitialDir);
  }
  if (!files || files->empty()) return;
  std::vector<std::string> refused;
  {
    const auto busy = BusySection(Busy);
    TAddBatch batch(ImageList());
    {
      AddBatch = &batch;
      const auto adding = qScopeGuard([this] { AddBatch = nullptr; });
      for (std::size_t i = 0; i < files->size(); ++i)
        if (!AddImageFile((*files)[i], i + 1 == files->size())) refused.push_back((*files)[i]);
    }
    const int scrollTo = batch.Finish();
    ListChanged();
    ScrollIntoView(scrollTo);
  }
  AddLastFileName = files->front();
  AddInitialDir = FolderOf(AddLastFileName);
  ItemSelectUpdt();
  Change(Add);
  if (!refused.empty()) Ask(UnstorableNamesMessage(refused), MsgKind::Error, MsgButtons::Ok);
}

void TTesselForm1::RemoveClick() {
  TImageList& list = ImageList();
  if (list.FirstSelected() < 0) return;
  ExcludeFromFolders({list.At(list.FirstSelected()).fileName});
  ShowRemoved(RemoveAndReselect(list, list.FirstSelected()));
}

void TTesselForm1::MIRemoveClick() {
  TImageList& list = ImageList();
  if (list.FirstSelected() < 0) return;
  std::vector<std::string> removed;
  for (int i = 0; i < list.Count(); ++i)
    if (list.Selected(i)) removed.push_back(list.At(i).fileName);
  ExcludeFromFolders(removed);
  ShowRemoved(RemoveSelected(list));
}

void TTesselForm1::ShowRemoved(int index) {
  ListChanged();
  ScrollIntoView(index);
  ItemSelectUpdt();
  Change(Remove);
  if (PageControl1->currentWidget() == ImagesPage && !AgentRunning) ListView1->setFocus();
}

void TTesselForm1::MoveCurrent(int delta, QObject* sender) {
  TImageList& list = ImageList();
  const int index = list.FirstSelected();
  if (!CanMove(list, index, delta)) return;
  if (SortImages->isChecked()) {
    Ask(kMoveRefused, MsgKind::Information, MsgButtons::Ok);
    MoveRefused = true;
    SetButtons();
    ScrollIntoView(index);
    return;
  }
  const int target = MoveEntry(list, index, delta);
  ListChanged();
  ScrollIntoView(target);
  ItemSelectUpdt();
  Change(sender);
  ScrollIntoView(list.FirstSelected());
}

void TTesselForm1::MoveUpClick() { MoveCurrent(-1, MoveUp); }

void TTesselForm1::MoveDownClick() { MoveCurrent(1, MoveDown); }

void TTesselForm1::SortImagesClick() {
  ImageList().SetSorted(SortImages->isChecked());
  MoveRefused = false;
  ListChanged();
  // The move commands come back at once, not only at the next selection change.
  SetButtons();
  Change(SortImages);
}

void TTesselForm1::ImgListClick() { ItemSelectUpdt(); }

void TTesselForm1::ListView1Change() { ItemSelectUpdt(); }
