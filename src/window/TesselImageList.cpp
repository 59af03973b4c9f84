#include <QCheckBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QTabWidget>
#include <QTimer>
#include <QTreeView>

#include "imagelist/DarkPartner.h"
#include "imagelist/ListEdits.h"
#include "imagelist/PictureRefusal.h"
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

bool TTesselForm1::AddImageFile(const std::string& fileName, bool last) {
  AgentRun->Folders().Readmit({fileName});
  const std::optional<int> index = AddOrSelect(List, fileName, Values.DefaultDisplay);
  if (!index) return false;
  if (*index < 0) return true;
  ListChanged();
  if (last) ScrollIntoView(*index);
  return true;
}

void TTesselForm1::AddClick() {
  std::optional<std::vector<std::string>> files;
  {
    const auto dialogOpen = AgentRun->Commands().Hold();
    files = Services.addDialog.Execute(kAddFilter, Values.AddDialogFolder);
  }
  if (!files || files->empty()) return;
  const std::vector<std::string> refused = AddFiles(*files);
  Values.AddLastFile = files->front();
  Values.AddDialogFolder = FolderOf(Values.AddLastFile);
  ItemSelectUpdt();
  Change(Add);
  if (!refused.empty()) Ask(UnstorableNamesMessage(refused), MsgKind::Error, MsgButtons::Ok);
}

void TTesselForm1::DarkPictureClick() {
  std::optional<std::vector<std::string>> files;
  {
    const auto dialogOpen = AgentRun->Commands().Hold();
    files = Services.addDialog.Execute(kAddFilter, FolderOf(CurrentFileName()));
  }
  if (!files || files->empty()) return;
  const std::string refusal = SetCurrentPartner(List, files->front());
  if (!refusal.empty()) {
    Ask(QString::fromStdString(refusal), MsgKind::Error, MsgButtons::Ok);
    return;
  }
  PartnersEdited();
}

void TTesselForm1::NoDarkPictureClick() {
  if (ClearSelectedPartners(List)) PartnersEdited();
}

void TTesselForm1::PartnersEdited() {
  ListChanged();
  Change(MIDarkPicture);
  AgentRun->PartnersChanged();
}

std::vector<std::string> TTesselForm1::AddFiles(const std::vector<std::string>& files) {
  const auto busy = BusySection(BusyCounter);
  AgentRun->Folders().Readmit(files);
  TAddBatch batch(List);
  std::vector<std::string> refused = batch.AddAll(files, Values.DefaultDisplay);
  const int scrollTo = batch.Finish();
  ListChanged();
  ScrollIntoView(scrollTo);
  return refused;
}

// The window shows (the agent, if it runs, ending for it) with the pictures added as the Add
// dialog adds them; the box naming the files refused comes once the caller has its answer.
void TTesselForm1::OpenPictures(const std::vector<std::string>& files) {
  ShowWindow();
  PageControl1->setCurrentWidget(ImagesPage);
  const TOpenedFiles opened = SortOpenedFiles(files);
  if (!opened.pictures.empty()) {
    AddFiles(opened.pictures);
    ItemSelectUpdt();
    Change(Add);
  }
  if (opened.refusedText.isEmpty()) return;
  QTimer::singleShot(0, this, [this, text = opened.refusedText] { Ask(text, MsgKind::Error, MsgButtons::Ok); });
}

void TTesselForm1::RemoveClick() { AgentRun->RemoveCurrent(); }

void TTesselForm1::MIRemoveClick() { AgentRun->RemoveSelected(); }

void TTesselForm1::MoveCurrent(int delta, QObject* sender) {
  TImageList& list = List;
  const int index = list.FirstSelected();
  if (!CanMove(list, index, delta)) return;
  if (Values.SortImages) {
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
  List.SetSorted(Values.SortImages);
  MoveRefused = false;
  ListChanged();
  // The move commands come back at once, not only at the next selection change.
  SetButtons();
  Change(SortImages);
}

void TTesselForm1::ImgListClick() { ItemSelectUpdt(); }

void TTesselForm1::ListView1Change() { ItemSelectUpdt(); }
