// The colour scheme the agent follows, and the dark partners a change shows while it is dark.
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTimer>
#include <chrono>

#include "agent/Agent.h"
#include "imagelist/DarkPartner.h"
#include "wallpaper/FillColor.h"
#include "wallpaper/WallpaperApply.h"

namespace {

// A remake that finds the list loading or a box open waits this long and tries again.
constexpr int kSchemeRetryMs = 100;

bool FileThere(const std::string& path) {
  return QFileInfo::exists(QFile::decodeName(QByteArray::fromStdString(path)));
}

}  // namespace

bool TAgent::ShowsDark() const { return scheme_.scheme == ColorScheme::Dark && !world_.desktop.SwitchesSchemeItself(); }

std::string TAgent::ShownFor(const ImageEntry& entry) const { return ShownPicture(entry, ShowsDark(), FileThere); }

std::string TAgent::ShownFileName() const {
  const int current = list_.FirstSelected();
  return current < 0 ? std::string() : ShownFor(list_.At(current));
}

void TAgent::PrepareDarkVariant(const ApplyRequest& light) {
  const int current = list_.FirstSelected();
  std::string darkFile;
  if (current >= 0) {
    const ImageEntry& entry = list_.At(current);
    ApplyRequest dark = light;
    dark.name = ShownPicture(entry, true, FileThere);
    dark.convertFileName = darkConvertFileName_;
    if (dark.name != entry.fileName) darkFile = WriteVariantFile(dark, Fill());
  }
  // The desktop's values may not have been opened yet: the first change of a new user's run.
  world_.desktop.OpenKey();
  world_.desktop.SetValue("WallpaperDark", darkFile);
}

void TAgent::FollowScheme(const TSchemeReading& reading) {
  const bool wasDark = ShowsDark();
  scheme_ = reading;
  AnnounceStatus();
  if (ShowsDark() != wasDark) RemakeForScheme();
}

void TAgent::StartFollowingScheme(const TSchemeReading& reading) {
  scheme_ = reading;
  AnnounceStatus();
  const int last = list_.Find(state_.LastImageNm);
  if (last < 0) return;
  const std::string wallpaper = world_.desktop.GetValue("Wallpaper").value_or("");
  const std::string& partner = list_.At(last).dark;
  const bool partnerShows = !partner.empty() && (wallpaper == darkConvertFileName_ || wallpaper == partner);
  const bool entryShows = wallpaper == state_.LastImageNm || IsMonitorConvertFileName(world_.programFolder, wallpaper);
  if (!partnerShows && !entryShows) return;
  state_.LastShownNm = partnerShows ? partner : state_.LastImageNm;
  RemakeForScheme();
}

void TAgent::RemakeForScheme() {
  // The list loads or a box waits for an answer: the remake comes after it.
  if (!commands_.Open()) {
    QTimer::singleShot(kSchemeRetryMs, &schemePosts_, [this] { RemakeForScheme(); });
    return;
  }
  // Only what this program made shows again: the entry last applied, while it is the list's
  // current one (the window may stand on another entry, which nobody applied).
  const int shown = list_.FirstSelected();
  if (shown < 0 || state_.LastImageNm.empty() || shown != list_.Find(state_.LastImageNm)) return;
  const std::string wanted = ShownFor(list_.At(shown));
  bool furtherDiffer = false;
  for (const std::string& file : shownFurther_)
    if (const int entry = list_.Find(file); entry >= 0) furtherDiffer = furtherDiffer || !list_.At(entry).dark.empty();
  if (wanted == state_.LastShownNm && !furtherDiffer) return;

  const auto holding = commands_.Hold();
  // The pictures of the change that shows, shown again: nothing recorded, no new pick.
  THistoryStep step{state_.LastImageNm};
  step.insert(step.end(), shownFurther_.begin(), shownFurther_.end());
  historyStep_ = step;
  wholeChange_ = true;
  const auto done = qScopeGuard([this] {
    wholeChange_ = false;
    historyStep_.reset();
    world_.desktop.FadeNextChange(std::chrono::milliseconds(0));
    ReleasePictures();
  });
  Run(FailureRoute::Notice, [this, &wanted] {
    world_.desktop.FadeNextChange(std::chrono::milliseconds(FadeTime(settings_)));
    ChgBackground();
    ChangeSucceeded();
    state_.LastShownNm = wanted;
    SetHint();
    ShowOnLockScreen();
    RunAfterChange();
  });
}
