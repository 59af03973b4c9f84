// The display order's pick of the next entry and the way back through the changes shown.
#include <QFileInfo>
#include <QScopeGuard>

#include "agent/Agent.h"
#include "agent/SelectionOrder.h"

namespace {

TSelectionView ViewOf(const TImageList& list, int current) {
  return {list.Count(), current, [&list](int index) { return list.At(index).mark; }};
}

}  // namespace

void TAgent::NextBackground() {
  if (list_.FirstSelected() < 0) return;
  // After going back, Next walks forward through what was shown before.
  if (const std::optional<THistoryStep> ahead =
          history_.Forward([this](const std::string& file) { return UsablePicture(file); })) {
    ShowHistoryStep(*ahead);
    return;
  }
  SetNextIndex();
  // A change of the display order's own: with a picture on each monitor, every monitor changes.
  wholeChange_ = true;
  const auto done = qScopeGuard([this] { wholeChange_ = false; });
  UpdtBackground();
}

bool TAgent::PreviousBackground() {
  const std::optional<THistoryStep> back =
      history_.Back([this](const std::string& file) { return UsablePicture(file); });
  if (!back) return false;
  ShowHistoryStep(*back);
  return true;
}

// A change like Next's, to the pictures of an earlier change, each with its entry's method now.
void TAgent::ShowHistoryStep(const THistoryStep& step) {
  SelectEntry(list_.Find(step.front()));
  historyStep_ = step;
  wholeChange_ = true;
  const auto done = qScopeGuard([this] {
    wholeChange_ = false;
    historyStep_.reset();
  });
  UpdtBackground();
}

bool TAgent::UsablePicture(const std::string& file) const {
  return list_.Contains(file) && QFileInfo::exists(QString::fromStdString(file));
}

void TAgent::RecordInHistory() {
  if (!historyStep_) {
    THistoryStep step{CurrentFileName()};
    step.insert(step.end(), shownFurther_.begin(), shownFurther_.end());
    history_.Record(step);
  }
  history_.SaveTo(historyFileName_);
  SetPreviousEnabled();
}

void TAgent::SetPreviousEnabled() {
  view_.ShowPreviousEnabled(history_.CanGoBack([this](const std::string& file) { return UsablePicture(file); }));
}

int TAgent::OrderCurrentIndex() const {
  // With a picture on each monitor, the order goes on after the last monitor's entry.
  if (lastMonitorEntry_ >= 0 && lastMonitorEntry_ < list_.Count()) return lastMonitorEntry_;
  return list_.FirstSelected();
}

void TAgent::SetNextIndex() {
  if (list_.FirstSelected() < 0) return;
  int next = 0;
  if (settings_.RandomCycle())
    next = RandomCycleIndex();
  else
    next = ::SetNextIndex(settings_.Order, ViewOf(list_, OrderCurrentIndex()), cycleRemaining_, world_.random).index;
  SelectEntry(next);
}

int TAgent::RandomCycleIndex() {
  const TNextPick pick = ::RandomCycleIndex(ViewOf(list_, list_.FirstSelected()), cycleRemaining_, world_.random);
  if (pick.newCycle) ResetMarks();
  cycleRemaining_ = pick.cycleRemaining;
  return pick.index;
}

void TAgent::SelectEntry(int index) {
  if (!SelectOnly(list_, index)) return;
  view_.ShowSelection(index);
}

void TAgent::ResetMarks() {
  {
    const auto busy = BusySection(busy_);
    for (int i = 0; i < list_.Count(); ++i) list_.SetMark(i, 0);
    view_.ShowEntries();
  }
  view_.EnableResetMarked(false);
  view_.Changed();
}
