#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>

#include "explorer/PreviewPlacement.h"
#include "picture/PictureErrors.h"
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
      if (name != PreviewName || PreviewName.empty()) {
        PreviewName = name;
        LoadPreview(name);
      }
      IMWidth->setNum(PreviewBitmap.width());
      IMHeight->setNum(PreviewBitmap.height());
      const bool larger =
          PreviewBitmap.width() > IMPaintBox1->width() || PreviewBitmap.height() > IMPaintBox1->height();
      IMShrink->setText(larger ? kFitShrink : kFitFullSize);
      IMPaintBox1->update();
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
  PreviewBitmap = QImage();
  if (fileName.empty()) return;
  try {
    PreviewBitmap = DecodeStillPicture(fileName);
  } catch (const TFileOpenError&) {
  }
}

void TTesselForm1::IMPaintBox1Paint(QPainter& painter) {
  if (ExplorerFirstRead) {
    IMPanelLoading->show();
    FileListViewDlg1->SetReadEnabled(true);
    FileListViewDlg1->Reread();
    ExplorerFirstRead = false;
    IMPanelLoading->hide();
  }
  if (PreviewBitmap.isNull()) return;
  const PreviewMode mode = IMTile->isChecked()      ? PreviewMode::Tile
                           : IMStretch->isChecked() ? PreviewMode::Stretch
                                                    : PreviewMode::Shrink;
  const TPreviewPlacement placement = PlacePreview(mode, PreviewBitmap.size(), IMPaintBox1->size());
  switch (placement.kind) {
    case TPreviewPlacement::Kind::Nothing:
      break;
    case TPreviewPlacement::Kind::Tiled:
      painter.drawTiledPixmap(IMPaintBox1->rect(), QPixmap::fromImage(PreviewBitmap));
      break;
    case TPreviewPlacement::Kind::Stretched:
      painter.setRenderHint(QPainter::SmoothPixmapTransform);
      painter.drawImage(placement.target, PreviewBitmap);
      break;
  }
}
