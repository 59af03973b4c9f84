// The selection order on the main window: hands the list's state to SetNextIndex and
// RandomCycleIndex and moves the selection to their pick.
#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>

#include "agent/SelectionOrder.h"
#include "window/ImageListModel.h"
#include "window/Tessel.h"

namespace {

TSelectionView ViewOf(const TImageList& list, int current) {
  return {list.Count(), current, [&list](int index) { return list.At(index).mark; }};
}

}  // namespace

void TTesselForm1::NextBackground() {
  if (ImageList().FirstSelected() < 0) return;
  // After going back, Next walks forward through what was shown before.
  if (const std::optional<THistoryStep> ahead =
          History.Forward([this](const std::string& file) { return UsablePicture(file); })) {
    ShowHistoryStep(*ahead);
    return;
  }
  SetNextIndex();
  // A change of the display order's own: with a picture on each monitor, every monitor changes.
  WholeChange = true;
  const auto done = qScopeGuard([this] { WholeChange = false; });
  UpdtBackground();
}

bool TTesselForm1::PreviousBackground() {
  const std::optional<THistoryStep> back =
      History.Back([this](const std::string& file) { return UsablePicture(file); });
  if (!back) return false;
  ShowHistoryStep(*back);
  return true;
}

// A change like Next's, to the pictures of an earlier change, each with its entry's method now.
void TTesselForm1::ShowHistoryStep(const THistoryStep& step) {
  SelectEntry(ImageList().Find(step.front()));
  HistoryStep = step;
  WholeChange = true;
  const auto done = qScopeGuard([this] {
    WholeChange = false;
    HistoryStep.reset();
  });
  UpdtBackground();
}

bool TTesselForm1::UsablePicture(const std::string& file) const {
  return ImageList().Contains(file) && QFileInfo::exists(QString::fromStdString(file));
}

void TTesselForm1::RecordInHistory() {
  if (!HistoryStep) {
    THistoryStep step{CurrentFileName()};
    step.insert(step.end(), ShownFurther.begin(), ShownFurther.end());
    History.Record(step);
  }
  History.SaveTo(HistoryFileName);
  SetPreviousEnabled();
}

void TTesselForm1::SetPreviousEnabled() {
  Previous1->setEnabled(History.CanGoBack([this](const std::string& file) { return UsablePicture(file); }));
}

int TTesselForm1::OrderCurrentIndex() const {
  // With a picture on each monitor, the order goes on after the last monitor's entry.
  if (LastMonitorEntry >= 0 && LastMonitorEntry < ImageList().Count()) return LastMonitorEntry;
  return ImageList().FirstSelected();
}

void TTesselForm1::SetNextIndex() {
  const TImageList& list = ImageList();
  if (list.FirstSelected() < 0) return;
  int next = 0;
  if (Agent.Order == DisplayOrder::RandomCycle)
    next = RandomCycleIndex();
  else
    next = ::SetNextIndex(Agent.Order, ViewOf(list, OrderCurrentIndex()), CycleRemaining, Services.random).index;
  SelectEntry(next);
}

int TTesselForm1::RandomCycleIndex() {
  const TNextPick pick =
      ::RandomCycleIndex(ViewOf(ImageList(), ImageList().FirstSelected()), CycleRemaining, Services.random);
  if (pick.newCycle) ResetMarkedClick(nullptr);
  CycleRemaining = pick.cycleRemaining;
  return pick.index;
}

void TTesselForm1::SelectEntry(int index) {
  if (!SelectOnly(ImageList(), index)) return;
  ListChanged();
  ScrollIntoView(index);
  ItemSelectUpdt();
}

void TTesselForm1::ResetMarkedClick(QObject* sender) {
  {
    const auto busy = BusySection(Busy);
    TImageList& list = ImageList();
    for (int i = 0; i < list.Count(); ++i) list.SetMark(i, 0);
    ListModel->EntriesChanged();
  }
  ResetMarked->setEnabled(false);
  Change(sender);
}

void TTesselForm1::orderClick(QObject* sender) {
  ResetMarked->setEnabled(false);
  ResetMarkedClick(nullptr);
  Change(sender);
}
