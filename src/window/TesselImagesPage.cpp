#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSignalBlocker>
#include <QTreeView>
#include <algorithm>
#include <iterator>

#include "imagelist/DarkPartner.h"
#include "imagelist/ImagesPageButtons.h"
#include "platform/screen/ScreenMetrics.h"
#include "platform/system/PathParts.h"
#include "wallpaper/FillColor.h"
#include "wallpaper/PreviewRender.h"
#include "widgets/ImageListModel.h"
#include "widgets/PaintBox.h"
#include "window/ImgDispFrm.h"
#include "window/Tessel.h"

void TTesselForm1::ItemSelectUpdt() {
  {
    const auto busy = BusySection(BusyCounter);
    ShowCount();
    const QString hint = QString::fromStdString(CurrentEntryHint(List));
    ListView1->setToolTip(hint);
    ImgListImage->setToolTip(hint);
    AgentRun->LoadCurrent();
    const TEntryLabels labels = CurrentEntryLabels(List, PictureCache.FileSize());
    labelName->setText(QString::fromStdString(labels.name));
    labelWidth->setText(QString::fromStdString(labels.width));
    labelHeight->setText(QString::fromStdString(labels.height));
    ImgListImage->update();
  }
  SetButtons();
}

void TTesselForm1::ShowCount() { Count->setText(QString::number(List.Count())); }

void TTesselForm1::SetButtons() {
  SettingButtons = true;
  const auto setting = qScopeGuard([this] { SettingButtons = false; });
  const DispObj m = CurrentDispObj();
  const QImage& picture = PictureCache.SourceBitmap();
  const TImagesPageButtons enabled =
      ImagesPageButtons(List, m, picture.width() >= 1 && picture.height() >= 1, Values.SortImages, MoveRefused);
  ButtonsShown = enabled;
  SetExplorerButtons();
  Remove->setEnabled(enabled.remove);
  for (QWidget* control :
       {static_cast<QWidget*>(Apply), static_cast<QWidget*>(Display), static_cast<QWidget*>(dispCenter),
        static_cast<QWidget*>(dispTile), static_cast<QWidget*>(dispSpecial), static_cast<QWidget*>(Stretch)})
    control->setEnabled(enabled.pictureCommands);
  if (m != DispObj::None) {
    const DispControls group = DispControlsFor(m);
    Stretch->setChecked(group.stretch);
    // By DispRadio, None never being shown.
    QRadioButton* const radios[] = {dispSpecial, dispTile, dispCenter, dispSpecial};
    radios[static_cast<int>(group.radio)]->setChecked(true);
    if (group.specialIndex >= 0) Special->setCurrentIndex(group.specialIndex);
    MethodShown = m;
    for (int code = 0; code < DispObjCount; ++code) {
      MethodIcons[code]->setVisible(code == ToInt(m));
      mnuDispTypItems[code]->setChecked(code == ToInt(m));
    }
    Special->setEnabled(enabled.pictureCommands);
  }
  MoveUp->setEnabled(enabled.moveUp);
  MoveDown->setEnabled(enabled.moveDown);
  OK->setEnabled(enabled.startAgent);
  const bool single = enabled.singleEntry;
  PanelDisplay->setEnabled(single);
  if (!single)
    for (QWidget* control :
         {static_cast<QWidget*>(dispCenter), static_cast<QWidget*>(dispTile), static_cast<QWidget*>(dispSpecial),
          static_cast<QWidget*>(Stretch), static_cast<QWidget*>(Special)})
      control->setEnabled(false);
  PanelIcon->setEnabled(single);
}

bool TTesselForm1::SetEntriesMethod(DispObj method, MethodScope scope) {
  if (!SetMethod(List, method, scope)) return false;
  ListModel->EntriesChanged();
  SetButtons();
  Change(nullptr);
  ItemSelectUpdt();
  return true;
}

DispControls TTesselForm1::DisplayGroup() const {
  const DispRadio radio = dispTile->isChecked()      ? DispRadio::Tile
                          : dispCenter->isChecked()  ? DispRadio::Center
                          : dispSpecial->isChecked() ? DispRadio::Special
                                                     : DispRadio::None;
  return {radio, Stretch->isChecked(), Special->currentIndex()};
}

// The radio button a control of the Display group stands for.
DispRadio TTesselForm1::RadioOf(QObject* control) const {
  if (control == Special || control == dispSpecial) return DispRadio::Special;
  return control == dispTile ? DispRadio::Tile : DispRadio::Center;
}

void TTesselForm1::dispTileClick(QObject* sender) {
  if (SettingButtons) return;
  SetEntriesMethod(DispFromControls({RadioOf(sender), Stretch->isChecked(), Special->currentIndex()}),
                   MethodScope::Current);
}

void TTesselForm1::MIDisplayTypeClick(QAction* sender) {
  SetEntriesMethod(ToDispObj(sender->data().toInt()), MethodScope::Selected);
}

void TTesselForm1::ImgListImagePaint(QPainter& painter) {
  const DispObj m = CurrentDispObj();
  const QSize screen = Services.screen.ScreenSize();
  QImage composed;
  if (IsSpecial(m) && !PictureCache.SourceBitmap().isNull())
    composed = CompositionCache.CurrSpecial(PictureCache.SourceName(), PictureCache.SourceBitmap(), m,
                                            ColorFromTColor(Values.FillColor), screen, BusyCounter);
  painter.drawImage(QPoint(0, 0),
                    RenderPreview(PictureCache.SourceBitmap(), composed, m, ImgListImage->size(), screen));
}

// Each icon moves on to the next method of the cycle through the Display group's controls,
// as the user would by hand.
void TTesselForm1::IconClick(QObject* sender) {
  const auto clicked = std::find(std::begin(MethodIcons), std::end(MethodIcons), sender);
  const DispObj next = NextIconMethod(ToDispObj(static_cast<int>(clicked - std::begin(MethodIcons))));
  if (next == DispObj::None) return;
  const DispControls group = DispControlsFor(next);
  if (group.specialIndex >= 0) Special->setCurrentIndex(group.specialIndex);
  {
    // The check alone must not change the entry: the click below does.
    const QSignalBlocker blocker(Stretch);
    Stretch->setChecked(Stretch->isChecked() || group.stretch);
  }
  // By DispObj code: the control whose click chooses it.
  QObject* const choosers[DispObjCount] = {dispTile, dispCenter, Stretch, Special, Special, Special, Special};
  dispTileClick(choosers[ToInt(next)]);
}

void TTesselForm1::DisplayClick() {
  ImgDispForm->LoadImage(CurrentFileName());
  const auto busy = BusySection(BusyCounter);
  ListView1->setFocus();
  ImgDispForm->show();
  ImgDispForm->raise();
}

void TTesselForm1::ImgPopupMenuPopup() {
  const TPopupItems items = ImgPopupItems(ButtonsShown, List.SelCount());
  MIMoveUp->setEnabled(items.moveUp);
  MIMoveDown->setEnabled(items.moveDown);
  MIDisplay->setEnabled(items.display);
  MIRemove->setEnabled(items.remove);
  MIDisplayType->setEnabled(items.remove);
  MIApply->setEnabled(items.apply);
  const TPartnerItems partner = PartnerItems(List);
  MIDarkPicture->setEnabled(partner.set);
  MINoDarkPicture->setEnabled(partner.clear);
  for (int code = 0; code < DispObjCount; ++code) MIDisplayTypeItems[code]->setChecked(code == ToInt(MethodShown));
}
