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

#include "imagelist/ImagesPageButtons.h"
#include "platform/screen/ScreenMetrics.h"
#include "platform/system/PathParts.h"
#include "wallpaper/FillColor.h"
#include "wallpaper/PreviewRender.h"
#include "widgets/PaintBox.h"
#include "window/ImageListModel.h"
#include "window/ImgDispFrm.h"
#include "window/Tessel.h"

void TTesselForm1::ItemSelectUpdt() {
  {
    const auto busy = BusySection(Busy);
    TImageList& list = ImageList();
    Count->setText(QString::number(list.Count()));
    const int current = list.FirstSelected();
    const QString hint =
        current >= 0 ? QString("%1 (#%2)").arg(QString::fromStdString(list.At(current).fileName)).arg(current + 1)
                     : QString();
    ListView1->setToolTip(hint);
    ImgListImage->setToolTip(hint);
    if (current >= 0) {
      const std::string name = list.At(current).fileName;
      Pictures.Load(name, WallpaperDecodeTarget());
      labelName->setText(QString::fromStdString(FileNamePart(name)));
      labelWidth->setText(QString::number(Pictures.FileSize().width()));
      labelHeight->setText(QString::number(Pictures.FileSize().height()));
      if (ToInt(list.At(current).disp) < 0) {
        const TStoredDisp stored = ReadObjDisp(name, std::string());
        list.SetDisp(current, stored.disp);
        list.SetMark(current, stored.mark);
        if (stored.mark == 1) ResetMarked->setEnabled(true);
        ListModel->EntriesChanged();
      }
    } else {
      Pictures.Clear();
      CompositionCache.CurrSpecial(std::string(), Pictures.SourceBitmap(), CurrentDispObj(),
                                   ColorFromTColor(FillColor()), Services.screen.ScreenSize(), Busy);
      labelName->setText(QString());
      labelWidth->setText(" ");
      labelHeight->setText(" ");
    }
    ImgListImage->update();
  }
  SetButtons();
}

void TTesselForm1::SetButtons() {
  SettingButtons = true;
  const auto setting = qScopeGuard([this] { SettingButtons = false; });
  const DispObj m = CurrentDispObj();
  const QImage& picture = Pictures.SourceBitmap();
  const TImagesPageButtons enabled = ImagesPageButtons(ImageList(), m, picture.width() >= 1 && picture.height() >= 1,
                                                       SortImages->isChecked(), MoveRefused);
  SetExplorerButtons();
  Remove->setEnabled(enabled.remove);
  for (QWidget* control :
       {static_cast<QWidget*>(Apply), static_cast<QWidget*>(Display), static_cast<QWidget*>(dispCenter),
        static_cast<QWidget*>(dispTile), static_cast<QWidget*>(dispSpecial), static_cast<QWidget*>(Stretch)})
    control->setEnabled(enabled.pictureCommands);
  if (m != DispObj::None) {
    const bool center = m == DispObj::Center || m == DispObj::Stretch;
    const bool tile = m == DispObj::Tile;
    Stretch->setChecked(m == DispObj::Stretch);
    (center ? dispCenter : tile ? dispTile : dispSpecial)->setChecked(true);
    if (IsSpecial(m)) Special->setCurrentIndex(ToInt(m) - ToInt(DispObj::MirrorTile));
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

void TTesselForm1::dispTileClick(QObject* sender) {
  if (SettingButtons) return;
  DispObj method = DispObj::None;
  if (sender == Special || sender == dispSpecial) {
    const int index = Special->currentIndex();
    if (index >= 0 && index <= 3) method = ToDispObj(ToInt(DispObj::MirrorTile) + index);
  } else if (sender == Stretch || sender == dispCenter) {
    method = Stretch->isChecked() ? DispObj::Stretch : DispObj::Center;
  } else if (sender == dispTile) {
    method = DispObj::Tile;
  }
  const int current = ImageList().FirstSelected();
  if (current < 0) return;
  ImageList().SetDisp(current, method);
  ListModel->EntriesChanged();
  SetButtons();
  Change(sender);
  ItemSelectUpdt();
}

void TTesselForm1::MIDisplayTypeClick(QAction* sender) {
  TImageList& list = ImageList();
  const int current = list.FirstSelected();
  if (current < 0) return;
  const DispObj method = ToDispObj(sender->data().toInt());
  for (int i = 0; i < list.Count(); ++i)
    if (list.Selected(i)) list.SetDisp(i, method);
  ListModel->EntriesChanged();
  SetButtons();
  Change(sender);
  ItemSelectUpdt();
}

void TTesselForm1::ImgListImagePaint(QPainter& painter) {
  const DispObj m = CurrentDispObj();
  const QSize screen = Services.screen.ScreenSize();
  QImage composed;
  if (IsSpecial(m) && !Pictures.SourceBitmap().isNull())
    composed = CompositionCache.CurrSpecial(Pictures.SourceName(), Pictures.SourceBitmap(), m,
                                            ColorFromTColor(FillColor()), screen, Busy);
  painter.drawImage(QPoint(0, 0), RenderPreview(Pictures.SourceBitmap(), composed, m, ImgListImage->size(), screen));
}

// Each icon moves on to the next method of the cycle through the Display group's controls,
// as the user would by hand.
void TTesselForm1::IconClick(QObject* sender) {
  DispObj shown = DispObj::None;
  for (int code = 0; code < DispObjCount; ++code)
    if (sender == MethodIcons[code]) shown = ToDispObj(code);
  const DispObj next = NextIconMethod(shown);
  if (IsSpecial(next)) {
    Special->setCurrentIndex(ToInt(next) - ToInt(DispObj::MirrorTile));
    dispTileClick(Special);
  } else if (next == DispObj::Center) {
    dispTileClick(dispCenter);
  } else if (next == DispObj::Stretch) {
    {
      // The check alone must not change the entry: the click below does.
      const QSignalBlocker blocker(Stretch);
      Stretch->setChecked(true);
    }
    dispTileClick(Stretch);
  } else if (next == DispObj::Tile) {
    dispTileClick(dispTile);
  }
}

void TTesselForm1::DisplayClick() {
  ImgDispForm->LoadImage(CurrentFileName());
  const auto busy = BusySection(Busy);
  ListView1->setFocus();
  ImgDispForm->show();
  ImgDispForm->raise();
}

void TTesselForm1::ImgPopupMenuPopup() {
  const int selected = ImageList().SelCount();
  MIMoveUp->setEnabled(MoveUp->isEnabled() && selected == 1);
  MIMoveDown->setEnabled(MoveDown->isEnabled() && selected == 1);
  MIDisplay->setEnabled(Display->isEnabled() && selected == 1);
  MIRemove->setEnabled(Remove->isEnabled() && selected >= 1);
  MIDisplayType->setEnabled(Remove->isEnabled() && selected >= 1);
  MIApply->setEnabled(Apply->isEnabled() && selected == 1);
  for (int code = 0; code < DispObjCount; ++code) MIDisplayTypeItems[code]->setChecked(!MethodIcons[code]->isHidden());
}
