// The selection order on the main window: hands the list's state to SetNextIndex and
// RandomCycleIndex and moves the selection to their pick.
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
  SetNextIndex();
  // A change of the display order's own: with a picture on each monitor, every monitor changes.
  WholeChange = true;
  const auto done = qScopeGuard([this] { WholeChange = false; });
  UpdtBackground();
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
