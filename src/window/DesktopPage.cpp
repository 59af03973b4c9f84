// The Desktop page: how a change meets the desktop beyond the picture itself.
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>

#include "widgets/DesignedControls.h"
#include "window/Tessel.h"

namespace {

// Why the lock screen's box is off on this desktop; empty where it can be set.
QString LockScreenOffReason(LockScreenReach reach) {
  switch (reach) {
    case LockScreenReach::Own:
      break;
    case LockScreenReach::ShowsDesktop:
      return "This desktop's lock screen shows the wallpaper already.";
    case LockScreenReach::None:
      return "Tesserine cannot set this desktop's lock screen.";
  }
  return {};
}

}  // namespace

void TTesselForm1::BuildDesktopPage() {
  QWidget* page = DesktopPage;
  FadeLabel = MakeLabel(page, "FadeLabel", "Fade between wallpapers:", 108, 24);
  FadeSeconds = MakeControl<QDoubleSpinBox>(page, "FadeSeconds", 264, 20, 89, 22);
  FadeSeconds->setRange(0.0, 10.0);
  FadeSeconds->setDecimals(1);
  FadeSeconds->setSingleStep(0.1);
  FadeSeconds->setSuffix(" s");
  FadeSeconds->setValue(FadeSecondsShown(Values.FadeMilliseconds));
  FadeSeconds->setToolTip("Where Tesserine draws the wallpaper itself; 0 changes at once.");

  connect(FadeSeconds, &QDoubleSpinBox::valueChanged, this, [this](double seconds) {
    Values.FadeMilliseconds = FadeFromControl(seconds, Values.FadeMilliseconds);
    Change(FadeSeconds);
  });

  // Only a lock screen with a picture of its own takes one; elsewhere the box keeps the stored
  // value, disabled, with a line saying why.
  LockScreen = MakeControl<QCheckBox>(page, "LockScreen", 108, 56, 0, 0, "Lock screen too");
  LockScreen->setToolTip("Each change also sets the lock screen's wallpaper.");
  const QString note = LockScreenOffReason(Services.desktop.LockScreen());
  LockScreen->setEnabled(note.isEmpty());
  LockScreenNote = MakeLabel(page, "LockScreenNote", note, 126, 80);
  LockScreenNote->setVisible(!note.isEmpty());
  connect(LockScreen, &QCheckBox::toggled, this, [this](bool on) {
    Values.LockScreen = on;
    Change(LockScreen);
  });

  RunAfterChangeLabel = MakeLabel(page, "RunAfterChangeLabel", "Run after a change:", 108, 128);
  RunAfterChange = MakeControl<QLineEdit>(page, "RunAfterChange", 108, 146, 297, 22);
  RunAfterChangeLabel->setBuddy(RunAfterChange);
  RunAfterChange->setPlaceholderText("a shell command, e.g. notify-send \"$1\"");
  RunAfterChange->setToolTip(
      "Runs through /bin/sh after each change: \"$1\" is the picture on the primary monitor, "
      "$TESSERINE_PICTURES every monitor's, one per line.");
  connect(RunAfterChange, &QLineEdit::textChanged, this, [this](const QString& text) {
    Values.RunAfterChange = text.toStdString();
    Change(RunAfterChange);
  });
}
