#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>

#include "explorer/PreviewDecode.h"
#include "explorer/PreviewPlacement.h"
#include "picture/PictureFormat.h"
#include "picture/PictureLoader.h"
#include "widgets/FolderPath.h"
#include "widgets/PaintBox.h"
#include "widgets/TFileListViewDlg.h"
#include "widgets/TGIFImageView.h"
#include "window/Tessel.h"

namespace {

const QString kFitShrink = QStringLiteral("Fit (SHRINK)");
const QString kFitFullSize = QStringLiteral("Fit (FULLSIZE)");

// The size from the file's directory entry; empty when there is none (a dangling link).
QString FileSizeText(const std::string& fileName) {
  const QFileInfo info(QString::fromStdString(fileName));
  return info.exists() ? QString::number(info.size()) : QString();
}

}  // namespace

void TTesselForm1::FileListViewDlg1FileSelect2() {
  const auto busy = BusySection(Busy);
  IMWidth->clear();
  IMHeight->clear();
  const std::string name = FileListViewDlg1->SelectedFileName().toStdString();
  const PictureFormat format = PictureFormatOf(name);
  bool previewable = false;
  if (name.empty() || IsFolderPath(name)) {
    IMSize->clear();
  } else {
    IMSize->setText(FileSizeText(name));
    if (format == PictureFormat::Gif) {
      previewable = true;
      IMPaintBox1->hide();
      if (name != PreviewName || PreviewName.empty()) {
        PreviewName = name;
        IMGifImage1->LoadFromFile(name);
      }
      IMGIFAttributes();
      IMAnimate->setEnabled(IMGifImage1->FrameCount() > 1);
      IMGifImage1->SetAnimate(IMAnimate->isChecked());
      IMGifImage1->show();
      IMWidth->setNum(IMGifImage1->PictureWidth());
      IMHeight->setNum(IMGifImage1->PictureHeight());
    } else if (format != PictureFormat::Bitmap || UpperExt(name) == ".BMP") {
      previewable = true;
      IMAnimate->setEnabled(false);
      IMGifImage1->SetAnimate(false);
      IMGifImage1->hide();
      IMPaintBox1->show();
      PreviewName = name;
      LoadPreview(name);
      IMWidth->setNum(Preview.fileSize.width());
      IMHeight->setNum(Preview.fileSize.height());
      ShowPreviewFit();
    } else {
      IMSize->clear();
    }
  }
  IMShrink->setEnabled(previewable);
  IMTile->setEnabled(previewable);
  IMStretch->setEnabled(previewable);
  SetButtons();
}

void TTesselForm1::IMGIFAttributes() {
  IMGifImage1->SetTile(IMTile->isChecked());
  IMGifImage1->SetStretch(IMStretch->isChecked());
  const bool shrink = IMShrink->isChecked() && (IMGifImage1->width() < IMGifImage1->PictureWidth() ||
                                                IMGifImage1->height() < IMGifImage1->PictureHeight());
  IMGifImage1->SetStretchRatio(shrink);
  IMShrink->setText(shrink ? kFitShrink : kFitFullSize);
}

void TTesselForm1::LoadPreview(const std::string& fileName) {
  const std::optional<TDecodeTarget> wanted = PreviewDecodeTarget(ExplorerPreviewMode(), IMPaintBox1->size());
  if (PreviewServes(Preview, fileName, wanted)) return;
  // The old picture goes first so that two large ones are never held at once.
  Preview = TPreviewPicture();
  Preview = LoadPreviewPicture(fileName, wanted);
}

void TTesselForm1::IMPaintBox1Resize() {
  if (IMPaintBox1->isHidden() || PreviewName.empty() || Preview.name != PreviewName) return;
  const auto busy = BusySection(Busy);
  LoadPreview(PreviewName);
  ShowPreviewFit();
}

void TTesselForm1::ShowPreviewFit() {
  IMShrink->setText(LargerThanBox(Preview.fileSize, IMPaintBox1->size()) ? kFitShrink : kFitFullSize);
  IMPaintBox1->update();
}

PreviewMode TTesselForm1::ExplorerPreviewMode() const {
  if (IMTile->isChecked()) return PreviewMode::Tile;
  return IMStretch->isChecked() ? PreviewMode::Stretch : PreviewMode::Shrink;
}

void TTesselForm1::IMPaintBox1Paint(QPainter& painter) {
  if (ExplorerFirstRead) {
    IMPanelLoading->show();
    FileListViewDlg1->SetReadEnabled(true);
    FileListViewDlg1->Reread();
    ExplorerFirstRead = false;
    IMPanelLoading->hide();
  }
  if (Preview.picture.isNull()) return;
  // Placed by the file's size: a reduced decode is drawn where the whole picture would be.
  const TPreviewPlacement placement = PlacePreview(ExplorerPreviewMode(), Preview.fileSize, IMPaintBox1->size());
  switch (placement.kind) {
    case TPreviewPlacement::Kind::Nothing:
      break;
    case TPreviewPlacement::Kind::Tiled:
      painter.drawTiledPixmap(IMPaintBox1->rect(), QPixmap::fromImage(Preview.picture));
      break;
    case TPreviewPlacement::Kind::Stretched:
      painter.setRenderHint(QPainter::SmoothPixmapTransform);
      painter.drawImage(placement.target, Preview.picture);
      break;
  }
}
